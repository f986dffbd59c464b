#include "model/value.h"

#include <gtest/gtest.h>

#include "outcome.h"

namespace velquor {

TEST(Value, ConvertsToTextAndNumberOrRaises) {
    const std::string kMismatch = "#13 Type mismatch";
    // clang-format off
    const struct {
        Value value;
        std::string text, number;  // what toText and toNumber give
    } rows[] = {
        {Value(), "", "0"}, {42, "42", "42"}, {"-17", "-17", "-17"},
        {std::int64_t{-9000000000}, "-9000000000", "-9000000000"}, {"Wales", "Wales", kMismatch},
        {"", "", kMismatch}, {"12 ", "12 ", kMismatch}, {" 12", " 12", kMismatch},
        {"99999999999999999999", "99999999999999999999", kMismatch},
        {Value(record("7")), "7", "7"}, {Value(record("Malta")), "Malta", kMismatch},  // its key
        {std::shared_ptr<Object>(), kNotSet, kNotSet},
        {std::make_shared<Object>(), kNoMember, kNoMember},  // an object without one
    };
    // clang-format on
    for (const auto& [value, text, number] : rows) {
        EXPECT_EQ(outcome([&] { return value.toText(); }), text) << testing::PrintToString(value);
        EXPECT_EQ(outcome([&] { return std::to_string(value.toNumber()); }), number)
            << testing::PrintToString(value);
    }
    Object plain;  // no member of its own; it names the one asked for
    EXPECT_EQ(outcome([&] { return plain.get("Key").toText(); }), kNoMember + " @Key");
    EXPECT_EQ(outcome([&] { plain.set("Tag", 1); }), kNoMember + " @Tag");
    EXPECT_EQ(outcome([&] { plain.invoke("Copy", {}); }), kNoMember + " @Copy");
    // The other standard texts show where the collection and the records raise them.
    const std::string kOther = "Application-defined or object-defined error";
    const std::string kInUse = "This key is already associated with an element of this collection";
    for (const int number : {4, 92, 457})
        EXPECT_EQ(outcome([&] { throw AutomationError::standard(number, "").withSource("Add"); }),
                  "#" + std::to_string(number) + " " + (number == 457 ? kInUse : kOther) + " @Add");
}

}  // namespace velquor
