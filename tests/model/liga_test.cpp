#include "model/liga.h"

#include <gmock/gmock.h>

#include "model/nation_catalogue.h"
#include "outcome.h"

namespace velquor {

TEST(Liga, EveryMemberByNameIsItsFieldAndStartsEmptyOnlyKeyAndTagNeverRaise) {
    Liga rec;
    // The texts: each by name and as its field. The competitions reach the clubs by name too.
    // clang-format off
    const std::pair<std::string, std::string*> texts[] = {
        {"UCL1", &rec.UCL1}, {"UCL2", &rec.UCL2}, {"UCL3", &rec.UCL3}, {"UCL4", &rec.UCL4},
        {"UEFA1", &rec.UEFA1}, {"UEFA2", &rec.UEFA2}, {"UEFA3", &rec.UEFA3}, {"UEFA4", &rec.UEFA4},
        {"Intertoto1", &rec.Intertoto1}, {"Intertoto2", &rec.Intertoto2},
        {"Intertoto3", &rec.Intertoto3}, {"Liga", &rec.LigaName}};
    // clang-format on
    const std::pair<std::string, std::int16_t*> counts[] = {
        {"NUEFA", &rec.NUEFA}, {"NUCL", &rec.NUCL}, {"NIntertoto", &rec.NIntertoto}};
    for (const auto& [name, field] : texts) {
        EXPECT_EQ(rec.get(name), Value(std::string())) << name;
        rec.set(name, Value(name + " club"));
    }
    for (int n = 0; const auto& [name, field] : counts) {
        EXPECT_EQ(rec.get(name), Value(0)) << name;
        rec.set(name, Value(++n));
    }
    for (const auto& [name, field] : texts)
        EXPECT_EQ(*field, name + " club");
    for (int n = 0; const auto& [name, field] : counts)
        EXPECT_EQ(*field, ++n) << name;
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
    for (const int edge : {-32768, 32767}) {
        rec.set("NUCL", edge);
        EXPECT_EQ(rec.NUCL, edge);
    }
}

TEST(NationCatalogue, HoldsTheFixedNationsInTableOrderUnderTheirNames) {
    // Each nation and its places in the Champions League, the UEFA Cup and the Intertoto.
    // clang-format off
    const std::tuple<std::string, int, int, int> table[] = {
        {"Albania", 1, 2, 0}, {"Armenia", 1, 2, 0}, {"Azerbaiyan", 1, 2, 0}, {"Andorra", 0, 1, 0},
        {"Austria", 2, 2, 1}, {"Belgium", 1, 4, 1}, {"Bosnia", 1, 2, 1}, {"Belarus", 1, 2, 1},
        {"Bulgaria", 1, 2, 1}, {"Czech Republic", 2, 2, 2}, {"Croatia", 2, 2, 2},
        {"Cyprus", 1, 2, 1}, {"Denmark", 2, 2, 2}, {"Estonia", 1, 2, 1}, {"England", 3, 3, 2},
        {"France", 3, 3, 3}, {"Faeroe Islands", 1, 2, 1}, {"Finland", 1, 2, 1},
        {"Georgia", 1, 2, 1}, {"Greece", 2, 4, 2}, {"Germany", 4, 3, 2}, {"Hungary", 1, 2, 1},
        {"Holland", 3, 3, 2}, {"Iceland", 1, 2, 1}, {"Israel", 1, 2, 1}, {"Italy", 4, 4, 2},
        {"Lituania", 1, 2, 1}, {"Latvia", 1, 2, 1}, {"Luxembourg", 1, 2, 1},
        {"Liechtenstein", 0, 1, 1}, {"Malta", 1, 2, 1}, {"Macedonia", 1, 2, 1},
        {"Moldavia", 1, 2, 1}, {"Northern Ireland", 1, 2, 1}, {"Norway", 1, 3, 2},
        {"Portugal", 2, 2, 2}, {"Poland", 1, 3, 1}, {"Russia", 2, 4, 2}, {"Romania", 1, 2, 1},
        {"Republic of Ireland", 1, 2, 1}, {"Spain", 4, 4, 2}, {"Switzerland", 1, 3, 2},
        {"Sweden", 1, 4, 1}, {"Scotland", 1, 3, 1}, {"San Marino", 0, 1, 0},
        {"Slovakia", 1, 2, 1}, {"Slovenia", 1, 2, 1}, {"Turkey", 2, 2, 2}, {"Ukraine", 2, 2, 2},
        {"Yugoslavia", 1, 2, 1}, {"Wales", 1, 2, 1}};
    // clang-format on
    auto catalogue = BuildNationCatalogue();
    std::vector<std::tuple<std::string, int, int, int>> places;
    for (const auto& element : *catalogue) {
        const auto& rec = dynamic_cast<const Liga&>(*element);
        places.emplace_back(rec.key(), rec.NUCL, rec.NUEFA, rec.NIntertoto);
    }
    EXPECT_THAT(places, ::testing::ElementsAreArray(table));
}

}  // namespace velquor
