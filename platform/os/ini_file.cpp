// The file is read whole, edited as a list of lines and written back through a temporary
// file and a rename.
#include "platform/os/ini_file.h"

#include "platform/os/file_util.h"
#include "platform/text/compare.h"
#include "platform/text/utf.h"

#include <optional>
#include <vector>

namespace plat {
namespace {

std::u16string_view Trim(std::u16string_view s) {
    while (!s.empty() && (s.front() == u' ' || s.front() == u'\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == u' ' || s.back() == u'\t' || s.back() == u'\r')) {
        s.remove_suffix(1);
    }
    return s;
}

std::vector<std::u16string> SplitLines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string_view::npos) {
            end = text.size();
        }
        std::u16string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == u'\r') {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

std::optional<std::u16string_view> SectionName(std::u16string_view line) {
    line = Trim(line);
    if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
        return Trim(line.substr(1, line.size() - 2));
    }
    return std::nullopt;
}

struct KeyValue {
    std::u16string_view key;
    std::u16string_view value;
};

std::optional<KeyValue> SplitKeyValue(std::u16string_view line) {
    const size_t eq = line.find(u'=');
    if (eq == std::u16string_view::npos) {
        return std::nullopt;
    }
    return KeyValue{Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))};
}

std::u16string_view Unquote(std::u16string_view v) {
    if (v.size() >= 2 &&
        ((v.front() == u'"' && v.back() == u'"') || (v.front() == u'\'' && v.back() == u'\''))) {
        return v.substr(1, v.size() - 2);
    }
    return v;
}

std::vector<std::u16string> ReadLines(std::u16string_view path) {
    std::string bytes;
    if (!ReadWholeFile(Utf16ToUtf8(path), bytes)) {
        return {};
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.erase(0, 3);
    }
    return SplitLines(Utf8ToUtf16(bytes));
}

} // namespace

std::u16string GetPrivateProfileString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view fallback, size_t maxChars,
                                       std::u16string_view path) {
    std::u16string result(fallback);
    bool inSection = false;
    for (const auto& line : ReadLines(path)) {
        if (auto name = SectionName(line)) {
            inSection = EqualsNoCase(*name, section);
            continue;
        }
        if (!inSection) {
            continue;
        }
        if (auto kv = SplitKeyValue(line); kv && EqualsNoCase(kv->key, key)) {
            result = std::u16string(Unquote(kv->value));
            break;
        }
    }
    if (maxChars == 0) {
        return {};
    }
    if (result.size() > maxChars - 1) {
        result.resize(maxChars - 1);
    }
    return result;
}

bool WritePrivateProfileString(std::u16string_view section, std::u16string_view key,
                               std::u16string_view value, std::u16string_view path) {
    if (section.empty() || key.empty() || key.find_first_of(u"=\r\n") != std::u16string_view::npos ||
        value.find_first_of(u"\r\n") != std::u16string_view::npos) {
        return false;
    }
    std::vector<std::u16string> lines = ReadLines(path);
    const std::u16string newLine = std::u16string(key) + u"=" + std::u16string(value);
    bool inSection = false;
    std::optional<size_t> sectionEnd;
    bool written = false;
    for (size_t i = 0; i < lines.size() && !written; ++i) {
        if (auto name = SectionName(lines[i])) {
            if (inSection) {
                break;
            }
            inSection = EqualsNoCase(*name, section);
            if (inSection) {
                sectionEnd = i + 1;
            }
            continue;
        }
        if (!inSection) {
            continue;
        }
        if (!Trim(lines[i]).empty()) {
            sectionEnd = i + 1;
        }
        if (auto kv = SplitKeyValue(lines[i]); kv && EqualsNoCase(kv->key, key)) {
            lines[i] = newLine;
            written = true;
        }
    }
    if (!written) {
        if (sectionEnd) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), newLine);
        } else {
            lines.push_back(u"[" + std::u16string(section) + u"]");
            lines.push_back(newLine);
        }
    }
    std::u16string text;
    for (const auto& line : lines) {
        text += line;
        text += u"\n";
    }
    return WriteFileAtomically(Utf16ToUtf8(path), Utf16ToUtf8(text));
}

} // namespace plat
