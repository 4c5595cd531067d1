#include "platform/text/path.h"

namespace plat {

PathParts SplitPath(std::u16string_view path) {
    PathParts parts;
    const size_t sep = path.find_last_of(u"/\\");
    const size_t nameStart = sep == std::u16string_view::npos ? 0 : sep + 1;
    parts.folder = std::u16string(path.substr(0, nameStart));
    const std::u16string_view file = path.substr(nameStart);
    const size_t dot = file.find_last_of(u'.');
    if (dot == std::u16string_view::npos) {
        parts.name = std::u16string(file);
    } else {
        parts.name = std::u16string(file.substr(0, dot));
        parts.extension = std::u16string(file.substr(dot));
    }
    return parts;
}

std::u16string FileNameOf(std::u16string_view path) {
    const size_t sep = path.find_last_of(u"/\\");
    return std::u16string(sep == std::u16string_view::npos ? path : path.substr(sep + 1));
}

} // namespace plat
