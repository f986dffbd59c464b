#pragma once

#include <string>
#include <string_view>

namespace velquor::cli {

/// File bytes (Windows-1252) as UTF-8 fit for a terminal: control characters,
/// which could move the cursor or end the text early, become \xNN.
std::string terminalText(std::string_view bytes);

/// UTF-8 text, such as a file name as the user gave it, fit for a terminal:
/// control characters and bytes that are not UTF-8 become \xNN.
std::string terminalUtf8(std::string_view text);

/// The length of the UTF-8 sequence that text starts with, its code point in
/// codePoint; 0 when text does not start with one.
std::size_t utf8Sequence(std::string_view text, char32_t& codePoint);

/// The length of a UTF-8 sequence that starts with lead; 0 when none can.
std::size_t utf8Length(unsigned char lead);

}  // namespace velquor::cli
