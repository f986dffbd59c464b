#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace velquor::platform {

/// The bytes of euro.cfg as text: the system's ANSI code page on Windows,
/// Windows-1252 elsewhere. Every byte value has a character, so decoding
/// and encoding again gives the same bytes.
QString decodeText(std::string_view bytes);

/// The bytes for text, or nullopt when the code page cannot hold one of its
/// characters (nothing is replaced by a look-alike).
std::optional<std::string> encodeText(const QString& text);

/// Whether the code page holds the character.
bool canEncode(char32_t codePoint);

/// The first character of text the code page cannot hold, or nullopt.
std::optional<char32_t> firstUnencodable(const QString& text);

}  // namespace velquor::platform
