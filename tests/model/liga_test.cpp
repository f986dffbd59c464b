#include "model/liga.h"

#include <gtest/gtest.h>

#include "model/nation_catalogue.h"
#include "outcome.h"

namespace velquor {

TEST(Liga, EveryMemberByNameStartsEmptyAndIsItsFieldOnlyKeyAndTagNeverRaise) {
    std::vector<std::string> names{"Key", "Liga", "NUCL", "NUEFA", "NIntertoto"};
    for (const char* competition : {"UCL", "UEFA", "Intertoto"})
        for (int place = 1; place <= (competition[0] == 'I' ? 3 : 4); ++place)
            names.push_back(competition + std::to_string(place));
    Liga rec;
    EXPECT_TRUE(rec.tag().isEmpty());
    for (int n = 0; const std::string& name : names) {
        EXPECT_EQ(rec.get(name), name[0] == 'N' ? Value(0) : Value(std::string())) << name;
        rec.set(name, Value(++n));
    }
    for (int n = 0; const std::string& name : names)
        EXPECT_EQ(rec.get(name).toText(), std::to_string(++n)) << name;
    EXPECT_EQ(rec.key() + rec.LigaName + rec.UCL1 + rec.UEFA4 + rec.Intertoto3, "1261316");
    EXPECT_EQ(rec.NUCL * 100 + rec.NUEFA * 10 + rec.NIntertoto, 345);
    EXPECT_TRUE(rec.ucl(4) == &rec.UCL4 && rec.uefa(1) == &rec.UEFA1 &&
                rec.intertoto(3) == &rec.Intertoto3);
    EXPECT_TRUE(!rec.ucl(0) && !rec.ucl(5) && !rec.uefa(0) && !rec.uefa(5) && !rec.intertoto(0) &&
                !rec.intertoto(4));
    // The key and the tag never raise; the other members do.
    rec.set("Key", 7);
    rec.set("Key", Value(std::shared_ptr<Object>()));  // no text to take: kept
    EXPECT_EQ(rec.defaultValue(), Value("7"));
    auto other = record("Wales");
    rec.setTagReference(Value(other));
    EXPECT_EQ(rec.tag().object(), other);
    rec.setTagValue(rec.tag());
    rec.setTagReference(Value(3));
    EXPECT_EQ(rec.tag(), Value("Wales"));
    // Names are exact: near misses of every member are no members.
    for (const std::string name :
         {"UCL5", "UCL0", "ucl1", "UCL", "UCL12", "UEFA", "UEFA12", "UEFA5", "Intertoto",
          "Intertoto12", "Intertoto4", "Liga1", "NUCL1", "Key2"}) {
        EXPECT_EQ(outcome([&] { return rec.get(name).text(); }), kNoMember + " @" + name);
        EXPECT_EQ(outcome([&] { rec.set(name, "x"); }), kNoMember + " @" + name);
    }
    EXPECT_EQ(outcome([&] { rec.set("NUCL", 32768); }), "#6 Overflow @NUCL");
    EXPECT_EQ(outcome([&] { rec.set("NUEFA", -32769); }), "#6 Overflow @NUEFA");
    EXPECT_EQ(outcome([&] { rec.set("NUCL", "x"); }), "#13 Type mismatch");
    rec.set("NUCL", -32768);
    EXPECT_EQ(rec.NUCL, -32768);
}

TEST(NationCatalogue, HoldsTheFixedNationsInTableOrderUnderTheirNames) {
    auto catalogue = BuildNationCatalogue();
    ASSERT_EQ(catalogue->Count(), 51);
    std::vector<std::string> order;
    int places = 0;  // the three competitions' sums in one number
    for (const auto& element : *catalogue) {
        const auto& rec = dynamic_cast<const Liga&>(*element);
        order.push_back(rec.key());
        places += rec.NUCL * 1000000 + rec.NUEFA * 1000 + rec.NIntertoto;
        for (int i = 1; i <= 4; ++i)
            EXPECT_TRUE(rec.LigaName.empty() && rec.ucl(i)->empty() && rec.uefa(i)->empty());
        EXPECT_TRUE(rec.NUCL <= 4 && rec.NUEFA <= 4 && rec.NIntertoto <= 3) << rec.key();
        EXPECT_EQ(findNation(*catalogue, rec.key()).get(), &rec);
    }
    EXPECT_EQ(order.front() + order[2] + order[3] + order.back(), "AlbaniaAzerbaiyanAndorraWales");
    EXPECT_EQ(places, 72119063);
    EXPECT_EQ(catalogue->IncKey(), 1);  // every record went in under an explicit key
    auto andorra = findNation(*catalogue, "ANDORRA");
    EXPECT_EQ(andorra->NUCL + 10 * andorra->NUEFA + 100 * andorra->NIntertoto, 10);
    EXPECT_EQ(findNation(*catalogue, "Azerbaijan"), nullptr);  // the table spells it Azerbaiyan
    findNation(*catalogue, "Italy")->UCL1 = "Kept only in the first";
    EXPECT_TRUE(findNation(*BuildNationCatalogue(), "Italy")->UCL1.empty());
}

}  // namespace velquor
