#include "header_matcher.h"

#include <algorithm>

namespace velquor::cfg {

HeaderMatcher::HeaderMatcher(const NationNames& names)
    : names_(names), soleInBareHeader_(names.size()) {
    std::array<std::vector<int>, 256> byFirstByte;
    minIndex_.fill(kNone);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int index = static_cast<int>(i);
        if (names[i].empty()) {
            // An empty name is in every line; no later name can win.
            if (always_ == kNone)
                always_ = index;
            continue;
        }
        const auto first = static_cast<unsigned char>(names[i].front());
        byFirstByte[first].push_back(index);
        minIndex_[first] = std::min(minIndex_[first], index);
        // "*" and this name: does an earlier name hide in it?
        const std::string bare = "*" + names[i];
        soleInBareHeader_[i] = std::none_of(
            names.begin(), names.begin() + index,
            [&](const std::string& earlier) { return bare.find(earlier) != std::string::npos; });
    }
    // One flat list, ascending within each byte, so the loop below stays in registers.
    for (std::size_t b = 0; b < byFirstByte.size(); ++b) {
        first_[b] = static_cast<std::uint32_t>(candidates_.size());
        candidates_.insert(candidates_.end(), byFirstByte[b].begin(), byFirstByte[b].end());
    }
    first_[256] = static_cast<std::uint32_t>(candidates_.size());
}

int HeaderMatcher::match(std::string_view line) const {
    if (const int bare = bareHeader(line); bare != kNone)
        return bare;
    int best = always_;  // kNone, above every index, while nothing is found
    const auto* bytes = reinterpret_cast<const unsigned char*>(line.data());
    for (std::size_t at = 0; at < line.size() && best != 0; ++at) {
        if (minIndex_[bytes[at]] >= best)
            continue;
        for (std::uint32_t c = first_[bytes[at]]; c < first_[bytes[at] + 1]; ++c) {
            const int i = candidates_[c];
            if (i >= best)
                break;
            if (fitsAt(line, at, names_[static_cast<std::size_t>(i)])) {
                best = i;  // the first that fits is the best at this byte
                break;
            }
        }
    }
    return best == kNone ? -1 : best;
}

bool HeaderMatcher::fitsAt(std::string_view line, std::size_t at, const std::string& name) {
    // The second byte first: most candidates fail there, without a call.
    if (name.size() > 1 && (at + 1 >= line.size() || line[at + 1] != name[1]))
        return false;
    return line.substr(at).starts_with(name);
}

// The usual header, "*" and one name and nothing else, when no earlier name
// is part of it; kNone otherwise.
int HeaderMatcher::bareHeader(std::string_view line) const {
    if (always_ != kNone || line.size() < 2)
        return kNone;
    const auto b = static_cast<unsigned char>(line[1]);
    for (std::uint32_t c = first_[b]; c < first_[b + 1]; ++c) {
        const int i = candidates_[c];
        const std::string& name = names_[static_cast<std::size_t>(i)];
        if (name.size() == line.size() - 1 && fitsAt(line, 1, name))
            return soleInBareHeader_[static_cast<std::size_t>(i)] ? i : kNone;
    }
    return kNone;
}

}  // namespace velquor::cfg
