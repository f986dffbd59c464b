#include "model/liga.h"

#include <gmock/gmock.h>

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

}  // namespace velquor
