#include "nation_names.h"

#include <array>
#include <string_view>

namespace velquor::cfg {

namespace {
// The order decides which name wins when a header holds several. The last
// three follow the game's 48 so that no earlier match changes.
constexpr std::array<std::string_view, 51> kHeaderNames = {
    "England",
    "Spain",
    "Germany",
    "Andorra",
    "Moldavia",
    "Belgium",
    "Croatia",
    "Denmark",
    "France",
    "Yugoslavia",
    "Holland",
    "Italy",
    "Bulgaria",
    "Norway",
    "Portugal",
    "Latvia",
    "Sweden",
    "Romania",
    "Northern Ireland",
    "Scotland",
    "Austria",
    "Finland",
    "Republic of Ireland",
    "Russia",
    "Poland",
    "Wales",
    "Greece",
    "Turkey",
    "Czech Republic",
    "Switzerland",
    "Ukraine",
    "Hungary",
    "Slovakia",
    "Georgia",
    "Cyprus",
    "Israel",
    "Slovenia",
    "Belarus",
    "Iceland",
    "Armenia",
    "Bosnia",
    "Estonia",
    "Malta",
    "Albania",
    "San Marino",
    "Luxembourg",
    "Liechtenstein",
    "Azerbaiyan",
    "Faeroe Islands",
    "Lituania",
    "Macedonia",
};
static_assert([] {
    for (std::string_view name : kHeaderNames)
        if (name.size() > kNationNameField)
            return false;
    return true;
}());
}  // namespace

NationNames FillNationNames() {
    return NationNames(kHeaderNames.begin(), kHeaderNames.end());
}

int matchNation(const NationNames& names, std::string_view line) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (line.find(names[i]) != std::string_view::npos)
            return static_cast<int>(i);
    return -1;
}

}  // namespace velquor::cfg
