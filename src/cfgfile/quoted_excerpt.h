#pragma once

#include <string>
#include <string_view>

namespace velquor::cfg {

/// text in double quotes for a message, its first 40 bytes and "..." when
/// there are more, so that a long line cannot swamp the message.
std::string quotedExcerpt(std::string_view text);

}  // namespace velquor::cfg
