#include "model/value.h"

#include <gtest/gtest.h>

#include "model/liga.h"
#include "outcome.h"

namespace velquor {

static Value nation(const std::string& key) {
    auto rec = std::make_shared<Liga>();
    rec->setKey(key);
    return Value(std::shared_ptr<Object>(rec));
}
static const Value kNoObject{std::shared_ptr<Object>()};
static const std::string kMismatch = "#13 Type mismatch";

TEST(Value, ConvertsToTextAndNumberOrRaises) {
    // clang-format off
    const std::tuple<Value, std::string, std::string> rows[] = {
        {Value(), "", "0"}, {Value(42), "42", "42"}, {Value("-17"), "-17", "-17"},
        {Value(std::int64_t{-9000000000}), "-9000000000", "-9000000000"},
        {Value("Wales"), "Wales", kMismatch}, {Value(""), "", kMismatch},
        {Value("12 "), "12 ", kMismatch}, {Value(" 12"), " 12", kMismatch},
        {Value("99999999999999999999"), "99999999999999999999", kMismatch},
        {nation("7"), "7", "7"}, {nation("Malta"), "Malta", kMismatch},  // an object is its key
        {kNoObject, kNotSet, kNotSet},
        {Value(std::make_shared<Object>()), kNoMember, kNoMember},  // an object without one
    };
    // clang-format on
    for (const auto& [value, text, number] : rows) {
        EXPECT_EQ(outcome([&] { return value.toText(); }), text) << text;
        EXPECT_EQ(outcome([&] { return std::to_string(value.toNumber()); }), number) << text;
    }
    // A plain object has no member of its own and names the one asked for.
    Object plain;
    EXPECT_EQ(outcome([&] { return plain.get("Key").toText(); }), kNoMember + " @Key");
    EXPECT_EQ(outcome([&] { plain.set("Tag", Value(1)); }), kNoMember + " @Tag");
    EXPECT_EQ(outcome([&] { return plain.invoke("NewCopy", {}).toText(); }),
              kNoMember + " @NewCopy");
}

TEST(AutomationError, NumbersWithoutAStandardTextAreApplicationDefined) {
    // The other standard texts show where the collection and the records raise them.
    const char* const kOther = " Application-defined or object-defined error @Add";
    for (const auto& [number, text] :
         {std::pair(457, " This key is already associated with an element of this collection @Add"),
          {4, kOther},
          {92, kOther}})
        EXPECT_EQ(outcome([&] { throw AutomationError::standard(number, "").withSource("Add"); }),
                  "#" + std::to_string(number) + text);
}

}  // namespace velquor
