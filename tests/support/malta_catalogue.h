#pragma once

#include <memory>

#include "model/nation_catalogue.h"

namespace velquor::test {

/// A catalogue whose one named nation, Malta, has one club: what a save writes
/// is "\r\n*Malta\r\nHibs\r\n".
inline std::shared_ptr<mtxU_Collection> catalogueWithMalta() {
    auto catalogue = BuildNationCatalogue();
    auto malta = findNation(*catalogue, "Malta");
    malta->LigaName = "Malta";
    malta->UCL1 = "Hibs";
    return catalogue;
}

}  // namespace velquor::test
