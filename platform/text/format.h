// printf-style formatting into UTF-16 text, type-checked at the call: each argument is an
// integer, a floating-point number or a text, and a directive that does not fit its
// argument prints nothing instead of reading garbage.
//
// Directives: %[-+ 0#][width][.precision](d|i|u|x|X|c|s|f|%), width and precision may be '*'.
#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace plat {

class FormatArg {
public:
    template <std::integral T> FormatArg(T v) : m_value(static_cast<int64_t>(v)) {}
    template <std::floating_point T> FormatArg(T v) : m_value(static_cast<double>(v)) {}
    FormatArg(std::u16string_view v) : m_value(v) {}
    FormatArg(const std::u16string& v) : m_value(std::u16string_view(v)) {}
    FormatArg(const char16_t* v) : m_value(std::u16string_view(v ? v : u"(null)")) {}

    const std::variant<int64_t, double, std::u16string_view>& Value() const { return m_value; }

private:
    std::variant<int64_t, double, std::u16string_view> m_value;
};

std::u16string FormatList(std::u16string_view format, std::initializer_list<FormatArg> args);

template <typename... Args> std::u16string Format(std::u16string_view format, const Args&... args) {
    return FormatList(format, {FormatArg(args)...});
}

} // namespace plat
