#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velquor::cfg {

/// Windows-1252, with the five bytes it leaves undefined (0x81, 0x8D, 0x8F,
/// 0x90, 0x9D) mapped to the C1 controls of the same value, as Windows does,
/// so that every byte survives a round trip.
char32_t cp1252ToUnicode(unsigned char byte);
/// The byte for a code point, nullopt when the code page has none.
std::optional<unsigned char> unicodeToCp1252(char32_t codePoint);
/// The bytes as UTF-8 text.
std::string cp1252ToUtf8(std::string_view bytes);

}  // namespace velquor::cfg
