// Splitting a file dialog's filter text.
#include "platform/window/file_filter.h"

#include "platform/text/compare.h"

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

bool HasWildcard(std::u16string_view text) {
    return text.find_first_of(u"*?") != std::u16string_view::npos;
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

bool MatchesPattern(std::u16string_view name, std::u16string_view pattern) {
    // Greedy matching with one back-tracking point: the last '*' seen.
    size_t n = 0;
    size_t p = 0;
    size_t starAt = std::u16string_view::npos;
    size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starAt = p++;
            starName = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == u'?' || ToLowerUnit(pattern[p]) == ToLowerUnit(name[n]))) {
            ++p;
            ++n;
        } else if (starAt != std::u16string_view::npos) {
            p = starAt + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

std::u16string FilterExtension(const FileFilter& filter) {
    if (filter.patterns.empty())
        return {};
    const std::u16string_view first = filter.patterns.front();
    if (first.size() < 3 || first.substr(0, 2) != u"*." || HasWildcard(first.substr(2)))
        return {};
    return std::u16string(first.substr(2));
}

std::u16string WithDefaultExtension(std::u16string path, std::u16string_view extension) {
    if (extension.empty())
        return path;
    const size_t slash = path.find_last_of(u'/');
    const size_t start = slash == std::u16string::npos ? 0 : slash + 1;
    const size_t dot = path.find_last_of(u'.');
    if (start == path.size() || (dot != std::u16string::npos && dot > start))
        return path;
    path += u'.';
    path += extension;
    return path;
}

} // namespace plat
