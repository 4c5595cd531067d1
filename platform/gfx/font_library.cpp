// fontconfig finds the file of a requested face; FreeType counts the faces of added files.
#include "platform/gfx/font_library.h"

#include "platform/text/compare.h"
#include "platform/text/utf.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <utility>

namespace plat {

namespace {

// Faces skins ask for by their desktop names, with the installed faces of the same
// metrics. Requested names come first in the pattern, so an installed or added face of
// the requested name still wins.
constexpr std::array<std::pair<std::u16string_view, const char*>, 5> kAliases{{
    {u"Arial", "Liberation Sans"},
    {u"Helvetica", "Liberation Sans"},
    {u"Courier New", "Liberation Mono"},
    {u"Times New Roman", "Liberation Serif"},
    {u"Tahoma", "DejaVu Sans"},
}};

const char* GenericFamily(std::uint8_t pitchAndFamily) {
    switch (pitchAndFamily & 0xF0) {
    case 0x10: // roman
        return "Liberation Serif";
    case FF_MODERN:
        return "Liberation Mono";
    default:
        return "Liberation Sans";
    }
}

std::string StringOf(FcPattern* pattern, const char* object) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || value == nullptr)
        return {};
    return reinterpret_cast<const char*>(value);
}

int IntegerOf(FcPattern* pattern, const char* object, int fallback) {
    int value = fallback;
    FcPatternGetInteger(pattern, object, 0, &value);
    return value;
}

void AddFamily(FcPattern* pattern, const std::string& family) {
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
}

} // namespace

// fontconfig reaches part of its data through encoded offsets the leak checker cannot
// follow, and leaks a little while parsing its configuration; a sanitizer build of any
// program that draws text would otherwise fail on exit for faults not its own.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

FontLibrary& FontLibrary::Instance() {
    // Never destroyed: fonts held by other static objects may outlive any exit order.
    static FontLibrary* library = new FontLibrary;
    return *library;
}

FontLibrary::FontLibrary() {
    FcInit();
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) == 0)
        m_library = library;
}

FontLibrary::~FontLibrary() {
    if (m_library != nullptr)
        FT_Done_FreeType(static_cast<FT_Library>(m_library));
}

int FontLibrary::AddFontFile(const std::string& path) {
    if (m_library == nullptr)
        return 0;
    int faces = 0;
    {
        std::lock_guard lock(m_faceLock);
        FT_Face face = nullptr;
        if (FT_New_Face(static_cast<FT_Library>(m_library), path.c_str(), -1, &face) != 0)
            return 0;
        faces = int(face->num_faces);
        FT_Done_Face(face);
    }
    std::lock_guard lock(m_configLock);
    if (faces <= 0 ||
        !FcConfigAppFontAddFile(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(path.c_str())))
        return 0;
    ++m_generation;
    return faces;
}

unsigned FontLibrary::Generation() {
    std::lock_guard lock(m_configLock);
    return m_generation;
}

FaceLocation FontLibrary::Resolve(const LogFont& request) {
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr)
        return {};
    if (!request.faceName.empty())
        AddFamily(pattern, Utf16ToUtf8(request.faceName));
    for (const auto& [name, alias] : kAliases)
        if (EqualsNoCase(request.faceName, name))
            AddFamily(pattern, alias);
    AddFamily(pattern, GenericFamily(request.pitchAndFamily));

    const int weight = request.weight == FW_DONTCARE ? FW_NORMAL : request.weight;
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);

    FaceLocation found;
    std::lock_guard lock(m_configLock);
    FcConfig* config = FcConfigGetCurrent();
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr)
        return found;
    found.file = StringOf(match, FC_FILE);
    found.index = IntegerOf(match, FC_INDEX, 0);
    found.family = StringOf(match, FC_FAMILY);
    found.needsEmbolden =
        weight >= 600 && IntegerOf(match, FC_WEIGHT, FC_WEIGHT_REGULAR) < FC_WEIGHT_DEMIBOLD;
    found.needsOblique = request.italic && IntegerOf(match, FC_SLANT, FC_SLANT_ROMAN) == FC_SLANT_ROMAN;
    FcPatternDestroy(match);
    return found;
}

} // namespace plat
