// Splitting a file dialog's filter text.
#include "platform/window/file_filter.h"

namespace plat {

namespace {

std::vector<std::u16string> SplitPatterns(std::u16string_view text) {
    std::vector<std::u16string> out;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find(u';', start), text.size());
        std::u16string_view part = text.substr(start, end - start);
        while (!part.empty() && part.front() == u' ')
            part.remove_prefix(1);
        while (!part.empty() && part.back() == u' ')
            part.remove_suffix(1);
        if (!part.empty())
            out.emplace_back(part);
        start = end + 1;
    }
    return out;
}

} // namespace

std::vector<FileFilter> ParseFileFilter(std::u16string_view filter) {
    if (const size_t stop = filter.find(u"||"); stop != std::u16string_view::npos)
        filter = filter.substr(0, stop);
    std::vector<std::u16string_view> fields;
    size_t start = 0;
    while (start < filter.size()) {
        const size_t end = std::min(filter.find(u'|', start), filter.size());
        fields.push_back(filter.substr(start, end - start));
        start = end + 1;
    }
    std::vector<FileFilter> out;
    for (size_t i = 0; i + 1 < fields.size(); i += 2) {
        FileFilter f{std::u16string(fields[i]), SplitPatterns(fields[i + 1])};
        if (!f.patterns.empty())
            out.push_back(std::move(f));
    }
    return out;
}

} // namespace plat
