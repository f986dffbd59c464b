#include "model/nation_catalogue.h"

#include <gtest/gtest.h>

using velquor::BuildNationCatalogue;
using velquor::findNation;
using velquor::Liga;

TEST(NationCatalogue, HoldsTheFixedNationsInTableOrder) {
    auto catalogue = BuildNationCatalogue();
    ASSERT_EQ(catalogue->Count(), 51);
    std::vector<std::string> order;
    int ucl = 0, uefa = 0, intertoto = 0;
    for (const auto& element : *catalogue) {
        const auto& rec = dynamic_cast<const Liga&>(*element);
        order.push_back(rec.key());
        ucl += rec.NUCL;
        uefa += rec.NUEFA;
        intertoto += rec.NIntertoto;
        EXPECT_TRUE(rec.LigaName.empty());
        for (int i = 1; i <= 4; ++i)
            EXPECT_TRUE(rec.ucl(i)->empty() && rec.uefa(i)->empty());
        EXPECT_LE(rec.NUCL, 4);
        EXPECT_LE(rec.NUEFA, 4);
        EXPECT_LE(rec.NIntertoto, 3);
    }
    EXPECT_EQ(order.front(), "Albania");
    EXPECT_EQ(order[2], "Azerbaiyan");
    EXPECT_EQ(order[3], "Andorra");
    EXPECT_EQ(order.back(), "Wales");
    EXPECT_EQ(ucl, 72);
    EXPECT_EQ(uefa, 119);
    EXPECT_EQ(intertoto, 63);
    EXPECT_EQ(catalogue->IncKey(), 1);  // every record went in under an explicit key
}

TEST(NationCatalogue, LooksNationsUpByNameInAnyCaseInAFreshBuild) {
    auto first = BuildNationCatalogue();
    auto andorra = findNation(*first, "ANDORRA");
    ASSERT_TRUE(andorra);
    EXPECT_EQ(andorra->NUCL + 10 * andorra->NUEFA + 100 * andorra->NIntertoto, 10);
    EXPECT_EQ(findNation(*first, "Azerbaijan"), nullptr);  // the table spells it Azerbaiyan
    findNation(*first, "Italy")->UCL1 = "Kept only in the first";
    EXPECT_TRUE(findNation(*BuildNationCatalogue(), "Italy")->UCL1.empty());
}
