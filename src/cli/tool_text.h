#pragma once

#include <string>
#include <string_view>

namespace velquor::cli {

/// File bytes (Windows-1252) as UTF-8 fit for a terminal: control characters,
/// which could move the cursor or end the text early, become \xNN.
std::string terminalText(std::string_view bytes);

}  // namespace velquor::cli
