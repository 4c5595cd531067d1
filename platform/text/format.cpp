// The formatter walks the format once; numbers go through snprintf on a directive rebuilt
// from the parsed flags, so rounding and padding match the C library exactly.
#include "platform/text/format.h"

#include <cstdio>
#include <string>

namespace plat {
namespace {

struct Directive {
    std::string flags;
    int width = -1;
    int precision = -1;
    char conversion = 0;
};

class Formatter {
public:
    Formatter(std::u16string_view format, std::initializer_list<FormatArg> args)
        : m_format(format), m_args(args.begin()), m_argsEnd(args.end()) {}

    std::u16string Run() {
        while (m_pos < m_format.size()) {
            const char16_t c = m_format[m_pos++];
            if (c != u'%') {
                m_out += c;
            } else if (m_pos < m_format.size() && m_format[m_pos] == u'%') {
                m_out += u'%';
                ++m_pos;
            } else {
                ParseDirective();
            }
        }
        return std::move(m_out);
    }

private:
    const FormatArg* Next() { return m_args != m_argsEnd ? m_args++ : nullptr; }

    bool Peek(char16_t& c) const {
        if (m_pos >= m_format.size()) {
            return false;
        }
        c = m_format[m_pos];
        return true;
    }

    int ReadNumber() {
        char16_t c = 0;
        if (Peek(c) && c == u'*') {
            ++m_pos;
            const FormatArg* a = Next();
            if (a && std::holds_alternative<int64_t>(a->Value())) {
                return static_cast<int>(std::get<int64_t>(a->Value()));
            }
            return -1;
        }
        int n = -1;
        while (Peek(c) && c >= u'0' && c <= u'9') {
            n = (n < 0 ? 0 : n) * 10 + (c - u'0');
            if (n > 4096) {
                n = 4096;
            }
            ++m_pos;
        }
        return n;
    }

    void ParseDirective() {
        Directive dir;
        char16_t c = 0;
        while (Peek(c) && (c == u'-' || c == u'+' || c == u' ' || c == u'0' || c == u'#')) {
            dir.flags += static_cast<char>(c);
            ++m_pos;
        }
        dir.width = ReadNumber();
        if (Peek(c) && c == u'.') {
            ++m_pos;
            dir.precision = ReadNumber();
            if (dir.precision < 0) {
                dir.precision = 0;
            }
        }
        while (Peek(c) && (c == u'l' || c == u'h' || c == u'L' || c == u'I' || c == u'z')) {
            ++m_pos; // length modifiers are meaningless here: arguments carry their type
        }
        if (!Peek(c)) {
            return;
        }
        ++m_pos;
        dir.conversion = static_cast<char>(c);
        Emit(dir, Next());
    }

    void Pad(std::u16string body, const Directive& dir) {
        const bool left = dir.flags.find('-') != std::string::npos;
        if (dir.width > 0 && body.size() < static_cast<size_t>(dir.width)) {
            const std::u16string fill(static_cast<size_t>(dir.width) - body.size(), u' ');
            body = left ? body + fill : fill + body;
        }
        m_out += body;
    }

    void EmitNumber(const Directive& dir, const char* lengthAndConv, const auto value) {
        std::string directive = "%" + dir.flags;
        if (dir.width >= 0) {
            directive += std::to_string(dir.width);
        }
        if (dir.precision >= 0) {
            directive += "." + std::to_string(dir.precision);
        }
        directive += lengthAndConv;
        char buffer[4200];
        // The directive is rebuilt from parsed flags and a fixed conversion, so the
        // argument type always matches it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
        const int n = std::snprintf(buffer, sizeof buffer, directive.c_str(), value);
#pragma GCC diagnostic pop
        if (n > 0) {
            for (int i = 0; i < n && i < static_cast<int>(sizeof buffer) - 1; ++i) {
                m_out += static_cast<char16_t>(static_cast<unsigned char>(buffer[i]));
            }
        }
    }

    void Emit(const Directive& dir, const FormatArg* arg) {
        if (!arg) {
            return;
        }
        const auto& v = arg->Value();
        switch (dir.conversion) {
        case 'd':
        case 'i':
            if (auto* i = std::get_if<int64_t>(&v)) {
                EmitNumber(dir, "lld", static_cast<long long>(*i));
            }
            break;
        case 'u':
        case 'x':
        case 'X': {
            if (auto* i = std::get_if<int64_t>(&v)) {
                // Like the C library with a 32-bit int: negative values wrap to unsigned.
                const auto u = static_cast<unsigned long long>(static_cast<uint32_t>(*i));
                const char* conv = dir.conversion == 'u' ? "llu" : dir.conversion == 'x' ? "llx" : "llX";
                EmitNumber(dir, conv, *i >= 0 ? static_cast<unsigned long long>(*i) : u);
            }
            break;
        }
        case 'f':
        case 'F':
            if (auto* d = std::get_if<double>(&v)) {
                EmitNumber(dir, "f", *d);
            } else if (auto* i = std::get_if<int64_t>(&v)) {
                EmitNumber(dir, "f", static_cast<double>(*i));
            }
            break;
        case 'c':
            if (auto* i = std::get_if<int64_t>(&v)) {
                Pad(std::u16string(1, static_cast<char16_t>(*i)), dir);
            }
            break;
        case 's':
        case 'S':
            if (auto* s = std::get_if<std::u16string_view>(&v)) {
                std::u16string body(*s);
                if (dir.precision >= 0 && body.size() > static_cast<size_t>(dir.precision)) {
                    body.resize(static_cast<size_t>(dir.precision));
                }
                Pad(std::move(body), dir);
            }
            break;
        default:
            break;
        }
    }

    std::u16string_view m_format;
    const FormatArg* m_args;
    const FormatArg* m_argsEnd;
    size_t m_pos = 0;
    std::u16string m_out;
};

} // namespace

std::u16string FormatList(std::u16string_view format, std::initializer_list<FormatArg> args) {
    return Formatter(format, args).Run();
}

} // namespace plat
