// The process-wide font machinery: one FreeType library, fontconfig for finding faces,
// and the font files programs add from their own folders. Faces the skins name after
// common desktop fonts resolve to the installed metric-compatible ones (Arial to
// Liberation Sans, Courier New to Liberation Mono, Tahoma to DejaVu Sans).
#pragma once

#include "platform/gfx/log_font.h"

#include <mutex>
#include <string>

namespace plat {

struct FaceLocation {
    std::string file; // empty when nothing matched
    int index{0};
    std::string family;
    bool needsEmbolden{false}; // bold was asked for and the face found is not bold
    bool needsOblique{false};  // italic was asked for and the face found is upright
};

class FontLibrary {
public:
    static FontLibrary& Instance();

    // Makes the faces in a font file available to later requests in this process.
    // Returns the number of faces added, 0 when the file is not a readable font.
    int AddFontFile(const std::string& path);
    FaceLocation Resolve(const LogFont& request);
    // Changes whenever a font file is added, so cached resolutions can be dropped.
    unsigned Generation();

    // FreeType's library handle is not thread-safe for creating and destroying faces;
    // callers hold this lock around those calls.
    std::mutex& FaceLock() { return m_faceLock; }
    void* FreeTypeLibrary() const { return m_library; }

    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

private:
    FontLibrary();
    ~FontLibrary();

    std::mutex m_faceLock;
    std::mutex m_configLock;
    void* m_library{nullptr}; // FT_Library
    unsigned m_generation{0};
};

} // namespace plat
