#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "cfgfile/nation_names.h"

namespace velquor::cfg {

/// Finds the nation of a header line exactly as matchNation does (the first
/// name in table order that the line holds), but in one pass over the line,
/// trying at each byte only the names that start with it and could still win:
/// a large file holds hundreds of thousands of headers, and one search per
/// name each was most of the reading time.
class HeaderMatcher {
  public:
    /// names must outlive the matcher.
    explicit HeaderMatcher(const NationNames& names);

    /// Index in names of the nation of line, or -1.
    int match(std::string_view line) const;

  private:
    static constexpr int kNone = std::numeric_limits<int>::max();

    static bool fitsAt(std::string_view line, std::size_t at, const std::string& name);
    int bareHeader(std::string_view line) const;

    const NationNames& names_;
    std::array<std::uint32_t, 257> first_{};  // candidates_ of byte b: [first_[b], first_[b + 1])
    std::vector<int> candidates_;
    std::array<int, 256> minIndex_;  // the lowest index of a name starting with the byte
    std::vector<bool> soleInBareHeader_;
    int always_ = kNone;
};

}  // namespace velquor::cfg
