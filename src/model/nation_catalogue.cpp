#include "nation_catalogue.h"

#include <string>

#include "automation_error.h"

namespace velquor {

// clang-format off
const std::array<NationPlaces, 51> kNationTable = {{
    {"Albania", 1, 2, 0},          {"Armenia", 1, 2, 0},
    {"Azerbaiyan", 1, 2, 0},       {"Andorra", 0, 1, 0},
    {"Austria", 2, 2, 1},          {"Belgium", 1, 4, 1},
    {"Bosnia", 1, 2, 1},           {"Belarus", 1, 2, 1},
    {"Bulgaria", 1, 2, 1},         {"Czech Republic", 2, 2, 2},
    {"Croatia", 2, 2, 2},          {"Cyprus", 1, 2, 1},
    {"Denmark", 2, 2, 2},          {"Estonia", 1, 2, 1},
    {"England", 3, 3, 2},          {"France", 3, 3, 3},
    {"Faeroe Islands", 1, 2, 1},   {"Finland", 1, 2, 1},
    {"Georgia", 1, 2, 1},          {"Greece", 2, 4, 2},
    {"Germany", 4, 3, 2},          {"Hungary", 1, 2, 1},
    {"Holland", 3, 3, 2},          {"Iceland", 1, 2, 1},
    {"Israel", 1, 2, 1},           {"Italy", 4, 4, 2},
    {"Lituania", 1, 2, 1},         {"Latvia", 1, 2, 1},
    {"Luxembourg", 1, 2, 1},       {"Liechtenstein", 0, 1, 1},
    {"Malta", 1, 2, 1},            {"Macedonia", 1, 2, 1},
    {"Moldavia", 1, 2, 1},         {"Northern Ireland", 1, 2, 1},
    {"Norway", 1, 3, 2},           {"Portugal", 2, 2, 2},
    {"Poland", 1, 3, 1},           {"Russia", 2, 4, 2},
    {"Romania", 1, 2, 1},          {"Republic of Ireland", 1, 2, 1},
    {"Spain", 4, 4, 2},            {"Switzerland", 1, 3, 2},
    {"Sweden", 1, 4, 1},           {"Scotland", 1, 3, 1},
    {"San Marino", 0, 1, 0},       {"Slovakia", 1, 2, 1},
    {"Slovenia", 1, 2, 1},         {"Turkey", 2, 2, 2},
    {"Ukraine", 2, 2, 2},          {"Yugoslavia", 1, 2, 1},
    {"Wales", 1, 2, 1},
}};
// clang-format on

std::shared_ptr<mtxU_Collection> BuildNationCatalogue() {
    auto catalogue = std::make_shared<mtxU_Collection>();
    for (const NationPlaces& row : kNationTable) {
        const std::string name(row.name);
        auto added =
            std::dynamic_pointer_cast<Liga>(catalogue->Add(std::make_shared<Liga>(), Value(name)));
        if (!added)
            throw AutomationError(err::kObjectNotSet, "BuildNationCatalogue",
                                  "Duplicate nation in the catalogue: " + name);
        added->NIntertoto = row.intertoto;
        added->NUCL = row.ucl;
        added->NUEFA = row.uefa;
    }
    return catalogue;
}

std::shared_ptr<Liga> findNation(const mtxU_Collection& catalogue, std::string_view key) {
    return std::dynamic_pointer_cast<Liga>(catalogue.Item(Value(std::string(key))));
}

std::vector<std::reference_wrapper<Liga>> namedNations(const mtxU_Collection& catalogue) {
    std::vector<std::reference_wrapper<Liga>> named;
    for (const auto& element : catalogue)
        if (auto* rec = dynamic_cast<Liga*>(element.get()); rec && !rec->LigaName.empty())
            named.emplace_back(*rec);
    return named;
}

}  // namespace velquor
