#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "liga.h"
#include "mtxu_collection.h"

namespace velquor {

/// One nation of the catalogue with its number of places per competition.
struct NationPlaces {
    std::string_view name;
    std::int16_t ucl;
    std::int16_t uefa;
    std::int16_t intertoto;
};

/// The fixed nations, in catalogue order (not alphabetical).
extern const std::array<NationPlaces, 51> kNationTable;

/// A fresh catalogue: one empty record per nation, filed under its name,
/// with the numbers of places preset.
std::shared_ptr<mtxU_Collection> BuildNationCatalogue();

/// The catalogue's record filed under key, or nullptr.
std::shared_ptr<Liga> findNation(const mtxU_Collection& catalogue, std::string_view key);

/// The records that have a name (Liga), in catalogue order: the nations the
/// file named, which the tree lists and a save writes.
std::vector<std::reference_wrapper<Liga>> namedNations(const mtxU_Collection& catalogue);

}  // namespace velquor
