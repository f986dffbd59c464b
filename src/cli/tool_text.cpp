#include "tool_text.h"

#include "cfgfile/cp1252.h"

namespace velquor::cli {

std::string terminalText(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string plain;
    plain.reserve(bytes.size());
    for (char c : bytes) {
        const char32_t u = cfg::cp1252ToUnicode(static_cast<unsigned char>(c));
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F)) {
            const auto byte = static_cast<unsigned char>(c);
            plain += "\\x";
            plain += kHex[byte >> 4];
            plain += kHex[byte & 0xF];
        } else {
            plain += c;
        }
    }
    return cfg::cp1252ToUtf8(plain);
}

}  // namespace velquor::cli
