#include "cfgfile/euro_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model/nation_catalogue.h"

using namespace velquor;
using namespace velquor::cfg;

TEST(Writer, WritesNamedNationsInCatalogueOrderWithTheClubsOfTheirPlaces) {
    auto catalogue = BuildNationCatalogue();
    EXPECT_EQ(formatEuro(*catalogue), "");
    const auto name = [&](const char* nation) {
        auto n = findNation(*catalogue, nation);
        n->LigaName = nation;
        return n;
    };
    auto albania = name("Albania"), spain = name("Spain"), italy = name("Italy");
    name("Wales");
    albania->UCL1 = "Club A";
    albania->UEFA2 = "Club B";
    spain->UCL2 = "Second";
    spain->Intertoto3 = "Beyond Spain's two Intertoto places";
    spain->UEFA4 = "Fourth";
    italy->NUCL = 6;  // more places than the record has room for
    italy->NUEFA = 0;
    italy->UCL4 = "Four";
    italy->UEFA1 = "Not offered";
    EXPECT_EQ(formatEuro(*catalogue),
              "\r\n*Albania\r\nClub A\r\nClub B\r\n\r\n*Italy\r\nFour\r\n"
              "\r\n*Spain\r\nSecond\r\nFourth\r\n\r\n*Wales\r\n");
    EXPECT_THAT(nationsWithGaps(*catalogue), ::testing::ElementsAre("Albania", "Italy", "Spain"));
}
