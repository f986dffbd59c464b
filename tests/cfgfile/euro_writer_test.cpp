#include "cfgfile/euro_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model/nation_catalogue.h"

using namespace velquor;
using namespace velquor::cfg;

TEST(Writer, WritesNamedNationsInCatalogueOrder) {
    auto catalogue = BuildNationCatalogue();
    EXPECT_EQ(formatEuro(*catalogue), "");
    auto albania = findNation(*catalogue, "Albania");
    albania->LigaName = "Albania";
    albania->UCL1 = "Club A";
    albania->UEFA2 = "Club B";
    auto wales = findNation(*catalogue, "Wales");
    wales->LigaName = "Wales";
    auto spain = findNation(*catalogue, "Spain");
    spain->LigaName = "Spain";
    spain->UCL2 = "Second";
    spain->Intertoto3 = "Beyond Spain's two Intertoto places";
    spain->UEFA4 = "Fourth";
    auto italy = findNation(*catalogue, "Italy");
    italy->LigaName = "Italy";
    italy->NUCL = 6;  // more places than the record has room for
    italy->NUEFA = 0;
    italy->UCL4 = "Four";
    italy->UEFA1 = "Not offered";
    EXPECT_EQ(formatEuro(*catalogue),
              "\r\n*Albania\r\nClub A\r\nClub B\r\n"
              "\r\n*Italy\r\nFour\r\n"
              "\r\n*Spain\r\nSecond\r\nFourth\r\n"
              "\r\n*Wales\r\n");
    EXPECT_THAT(nationsWithGaps(*catalogue), ::testing::ElementsAre("Albania", "Italy", "Spain"));
}
