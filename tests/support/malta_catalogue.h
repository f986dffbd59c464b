#pragma once

#include "model/nation_catalogue.h"

namespace velquor::test {

/// Malta named, with one club: what a save writes is "\r\n*Malta\r\nHibs\r\n".
inline std::shared_ptr<mtxU_Collection> catalogueWithMalta() {
    auto catalogue = BuildNationCatalogue();
    auto malta = findNation(*catalogue, "Malta");
    malta->LigaName = "Malta";
    malta->UCL1 = "Hibs";
    return catalogue;
}

}  // namespace velquor::test
