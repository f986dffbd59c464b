#include "model/value.h"

#include <gtest/gtest.h>

#include "model/liga.h"
#include "model/tag_slot.h"
#include "outcome.h"

namespace velquor {
namespace {

Value nation(const std::string& key) {
    auto rec = std::make_shared<Liga>();
    rec->setKey(key);
    return Value(std::shared_ptr<Object>(rec));
}
const Value kNoObject{std::shared_ptr<Object>()};
const std::string kMismatch = "#13 Type mismatch";

TEST(Value, ConvertsToTextAndNumberOrRaises) {
    const std::tuple<Value, std::string, std::string> rows[] = {
        {Value(), "", "0"},
        {Value(42), "42", "42"},
        {Value(std::int64_t{-9000000000}), "-9000000000", "-9000000000"},
        {Value("-17"), "-17", "-17"},
        {Value("Wales"), "Wales", kMismatch},
        {Value(""), "", kMismatch},
        {Value("12 "), "12 ", kMismatch},
        {Value(" 12"), " 12", kMismatch},
        {Value("99999999999999999999"), "99999999999999999999", kMismatch},
        {nation("7"), "7", "7"},  // an object stands for its key
        {nation("Malta"), "Malta", kMismatch},
        {kNoObject, kNotSet, kNotSet},
        {Value(std::make_shared<Object>()), kNoMember, kNoMember},  // an object without one
    };
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

TEST(AutomationError, NumbersCarryTheirStandardDescriptionAndKeepItWhenPassedOn) {
    const std::pair<int, const char*> rows[] = {
        {5, "Invalid procedure call or argument"},
        {6, "Overflow"},
        {9, "Subscript out of range"},
        {91, "Object variable or With block variable not set"},
        {438, "Object doesn't support this property or method"},
        {457, "This key is already associated with an element of this collection"},
        {4, "Application-defined or object-defined error"},
        {92, "Application-defined or object-defined error"},
    };
    for (const auto& [number, description] : rows)
        EXPECT_EQ(
            outcome([&] { throw AutomationError::standard(number, "Item").withSource("Add"); }),
            "#" + std::to_string(number) + " " + description + " @Add");
}

TEST(TagSlot, KeepsAReferenceOrTheDefaultValueAndRefusesWhatItCannotHold) {
    TagSlot slot;
    const Value wales = nation("Wales");
    slot.setReference(wales);
    EXPECT_EQ(slot.get(), wales);
    slot.setValue(wales);
    EXPECT_EQ(slot.get(), Value("Wales"));
    slot.setValue(Value(3));
    EXPECT_EQ(outcome([&] { slot.setReference(Value("Wales")); }), "#424 Object required");
    EXPECT_EQ(outcome([&] { slot.setReference(Value()); }), "#424 Object required");
    EXPECT_EQ(outcome([&] { slot.setValue(kNoObject); }), kNotSet);
    EXPECT_EQ(slot.get(), Value(3));  // a refused store keeps the old tag
}

}  // namespace
}  // namespace velquor
