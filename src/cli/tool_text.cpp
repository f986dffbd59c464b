#include "tool_text.h"

#include <algorithm>

#include "cfgfile/cp1252.h"

namespace velquor::cli {

namespace {

void escape(std::string& out, unsigned char byte) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
}

bool isControl(char32_t u) {
    return u < 0x20 || (u >= 0x7F && u <= 0x9F);
}

}  // namespace

std::size_t utf8Length(unsigned char lead) {
    return lead < 0x80                   ? 1
           : lead >= 0xC2 && lead < 0xE0 ? 2
           : lead >= 0xE0 && lead < 0xF0 ? 3
           : lead >= 0xF0 && lead < 0xF5 ? 4
                                         : 0;
}

std::size_t utf8Sequence(std::string_view bytes, char32_t& u) {
    if (bytes.empty())
        return 0;
    const auto lead = static_cast<unsigned char>(bytes[0]);
    const std::size_t length = utf8Length(lead);
    if (length == 0 || length > bytes.size())
        return 0;
    u = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        u = (u << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and code points beyond Unicode are not UTF-8.
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (u < kLeast[length] || (u >= 0xD800 && u <= 0xDFFF) || u > 0x10FFFF)
        return 0;
    return length;
}

std::string terminalText(std::string_view bytes) {
    std::string plain;
    plain.reserve(bytes.size());
    for (char c : bytes) {
        if (isControl(cfg::cp1252ToUnicode(static_cast<unsigned char>(c))))
            escape(plain, static_cast<unsigned char>(c));
        else
            plain += c;
    }
    return cfg::cp1252ToUtf8(plain);
}

std::string terminalUtf8(std::string_view name) {
    std::string plain;
    plain.reserve(name.size());
    while (!name.empty()) {
        char32_t u = 0;
        const std::size_t length = utf8Sequence(name, u);
        if (length == 0 || isControl(u)) {
            for (std::size_t i = 0; i < std::max<std::size_t>(length, 1); ++i)
                escape(plain, static_cast<unsigned char>(name[i]));
            name.remove_prefix(std::max<std::size_t>(length, 1));
            continue;
        }
        plain.append(name.substr(0, length));
        name.remove_prefix(length);
    }
    return plain;
}

}  // namespace velquor::cli
