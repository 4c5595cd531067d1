// kavox-keyboard-files DESCRIPTION DEFINITION DEFAULTS [--106]
//
// Reads a keyboard description, one key per line as "[make sequence] key name" (entries
// in hex, a prefix entry written code:flag; '#' starts a comment line), and writes the
// binary definition file and the defaults file (each key's default is its own key).
// With --106 the keys missing from the 106-name list are left out. The files written are
// read back and every name of the chosen list must be found, so a broken description
// stops the build instead of shipping.
#include "model/key_name_list.h"
#include "model/keyboard_definition.h"
#include "platform/os/file_util.h"
#include "platform/text/utf.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Key {
    std::u16string name;
    KeyCodeSequence make{};
};

void Put16(std::string& out, uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8 & 0xFF));
}
void Put32(std::string& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

bool ParseEntry(const std::string& token, KeyCodeEntry& entry) {
    size_t colon = token.find(':');
    try {
        size_t used = 0;
        entry.code = static_cast<uint16_t>(std::stoul(token.substr(0, colon), &used, 16));
        entry.flag = colon == std::string::npos
                         ? 0
                         : static_cast<uint8_t>(std::stoul(token.substr(colon + 1), nullptr, 16));
        return used == (colon == std::string::npos ? token.size() : colon);
    } catch (const std::exception&) {
        return false;
    }
}

bool ParseLine(const std::string& line, Key& key) {
    size_t open = line.find('['), close = line.find(']');
    if (open != 0 || close == std::string::npos) {
        return false;
    }
    std::istringstream entries(line.substr(1, close - 1));
    std::string token;
    size_t count = 0;
    while (entries >> token) {
        if (count == key.make.size() || !ParseEntry(token, key.make[count++])) {
            return false;
        }
    }
    std::string name = line.substr(close + 1);
    name.erase(0, name.find_first_not_of(' '));
    name.erase(name.find_last_not_of(" \r") + 1);
    key.name = plat::Utf8ToUtf16(name);
    return count > 0 && !name.empty();
}

bool ReadDescription(const std::string& path, std::vector<Key>& keys) {
    std::string text;
    if (!plat::ReadWholeFile(path, text)) {
        std::fprintf(stderr, "%s: cannot read\n", path.c_str());
        return false;
    }
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (line.empty() || line[0] == '#' || line.find_first_not_of(" \r") == std::string::npos) {
            continue;
        }
        Key key;
        if (!ParseLine(line, key)) {
            std::fprintf(stderr, "%s:%d: expected \"[make sequence] key name\"\n", path.c_str(), number);
            return false;
        }
        keys.push_back(std::move(key));
    }
    return true;
}

std::string DefinitionBytes(const std::vector<Key>& keys) {
    std::string out;
    Put32(out, static_cast<uint32_t>(keys.size()));
    for (const Key& key : keys) {
        Put32(out, static_cast<uint32_t>(key.name.size() * 2));
        for (char16_t unit : key.name) {
            Put16(out, unit);
        }
        Put16(out, 0);
        Put16(out, 0);
        for (const KeyCodeEntry& entry : key.make) {
            Put16(out, entry.code);
            out.push_back(static_cast<char>(entry.flag));
            out.push_back(0);
        }
        out.append(3 * 40, '\0');
    }
    return out;
}

std::string DefaultsBytes(const std::vector<Key>& keys) {
    std::string out;
    Put32(out, static_cast<uint32_t>(keys.size()));
    for (const Key& key : keys) {
        EffectiveKey effective = EffectiveKeyOf(key.make);
        Put32(out, KeyNameHash(key.name));
        Put32(out, effective.code | static_cast<uint32_t>(effective.flag) << 16);
    }
    return out;
}

std::span<const uint8_t> AsBytes(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

bool CheckReadsBack(const std::string& definition, const std::string& defaults,
                    std::span<const std::u16string_view> names) {
    CKeyboardDefinition read;
    if (!read.ReadDefinition(AsBytes(definition)) || !read.ReadDefaults(AsBytes(defaults))) {
        std::fprintf(stderr, "the files written do not read back\n");
        return false;
    }
    bool ok = true;
    for (std::u16string_view name : names) {
        uint32_t hash = KeyNameHash(name);
        if (!read.EffectiveKeyByHash(hash) || read.EffectiveKeyByHash(hash) != read.DefaultKeyByHash(hash)) {
            std::fprintf(stderr, "key \"%s\" is missing\n", plat::Utf16ToUtf8(name).c_str());
            ok = false;
        }
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc > 5 || (argc == 5 && std::string(argv[4]) != "--106")) {
        std::fprintf(stderr, "usage: %s DESCRIPTION DEFINITION DEFAULTS [--106]\n", argv[0]);
        return 2;
    }
    const auto names = argc == 5 ? KeyNameList106() : KeyNameList();
    std::vector<Key> keys;
    if (!ReadDescription(argv[1], keys)) {
        return 1;
    }
    std::erase_if(
        keys, [&](const Key& key) { return std::find(names.begin(), names.end(), key.name) == names.end(); });
    const std::string definition = DefinitionBytes(keys);
    const std::string defaults = DefaultsBytes(keys);
    if (!CheckReadsBack(definition, defaults, names)) {
        return 1;
    }
    if (!plat::WriteFileAtomically(argv[2], definition) || !plat::WriteFileAtomically(argv[3], defaults)) {
        std::fprintf(stderr, "cannot write the keyboard files\n");
        return 1;
    }
    return 0;
}
