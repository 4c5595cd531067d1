#include "platform/os/registry_names.h"

#include "platform/text/utf.h"

#include <array>
#include <atomic>
#include <unistd.h>

namespace plat::registry {
namespace {

constexpr std::string_view kWorkingPrefix = ".kavox-";
constexpr std::u16string_view kDefaultValueName = u"@";

struct TypeExtension {
    ValueType type;
    std::string_view extension;
};
constexpr std::array<TypeExtension, 3> kTypes{{
    {ValueType::String, "sz"},
    {ValueType::Binary, "bin"},
    {ValueType::Dword, "dword"},
}};

bool HasForbiddenUnit(std::u16string_view name) {
    return name.find_first_of(std::u16string_view(u"/\0", 2)) != std::u16string_view::npos;
}

bool IsDotName(std::u16string_view name) {
    return name == u"." || name == u"..";
}

} // namespace

std::string_view ExtensionOf(ValueType type) {
    for (const auto& entry : kTypes) {
        if (entry.type == type) {
            return entry.extension;
        }
    }
    return {};
}

bool IsValidKeyName(std::u16string_view name) {
    return !name.empty() && !IsDotName(name) && !HasForbiddenUnit(name) &&
           name.find(u'\\') == std::u16string_view::npos && !IsWorkingEntry(Utf16ToUtf8(name));
}

std::optional<std::u16string> StoredValueName(std::u16string_view name) {
    if (name.empty()) {
        return std::u16string(kDefaultValueName);
    }
    if (IsDotName(name) || HasForbiddenUnit(name)) {
        return std::nullopt;
    }
    return std::u16string(name);
}

std::optional<ValueFileName> ParseValueFileName(std::string_view fileName) {
    const size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || dot == 0) {
        return std::nullopt;
    }
    const std::string_view extension = fileName.substr(dot + 1);
    for (const auto& entry : kTypes) {
        if (entry.extension == extension) {
            std::u16string name = Utf8ToUtf16(fileName.substr(0, dot));
            if (IsDotName(name)) {
                return std::nullopt;
            }
            if (name == kDefaultValueName) {
                name.clear();
            }
            return ValueFileName{std::move(name), entry.type};
        }
    }
    return std::nullopt;
}

bool IsWorkingEntry(std::string_view fileName) {
    return fileName.starts_with(kWorkingPrefix);
}

std::string NewDeletionName() {
    static std::atomic<unsigned> counter{0};
    return std::string(kWorkingPrefix) + "deleted-" + std::to_string(::getpid()) + "-" +
           std::to_string(counter.fetch_add(1));
}

} // namespace plat::registry
