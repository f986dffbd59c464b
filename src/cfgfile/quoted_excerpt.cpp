#include "quoted_excerpt.h"

namespace velquor::cfg {

std::string quotedExcerpt(std::string_view text) {
    constexpr std::size_t kShown = 40;
    std::string out = "\"";
    out.append(text.substr(0, kShown));
    if (text.size() > kShown)
        out += "...";
    return out + "\"";
}

}  // namespace velquor::cfg
