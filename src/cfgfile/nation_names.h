#pragma once

#include <string>
#include <vector>

namespace velquor::cfg {

/// Each name of the table sits in a field of this many characters.
inline constexpr std::size_t kNationNameField = 30;

/// The names a header line is matched against, in the order that decides
/// which one wins when a line holds several.
using NationNames = std::vector<std::string>;

/// The 48 names of the game's own table, then "Faeroe Islands", "Lituania"
/// and "Macedonia", which the catalogue holds too.
NationNames FillNationNames();

/// Index in names of the first one that occurs in line (case-sensitive), or -1.
int matchNation(const NationNames& names, std::string_view line);

}  // namespace velquor::cfg
