#include "model/value.h"

#include <gtest/gtest.h>

#include <functional>
#include <variant>

#include "model/automation_error.h"
#include "model/liga.h"
#include "model/tag_slot.h"

using velquor::AutomationError;
using velquor::Liga;
using velquor::Object;
using velquor::TagSlot;
using velquor::Value;

namespace {

Value nation(const std::string& key) {
    auto rec = std::make_shared<Liga>();
    rec->setKey(key);
    return Value(std::shared_ptr<Object>(rec));
}
const Value kNoObject{std::shared_ptr<Object>()};

// What an operation gives: its result, or the number and description it raised.
using Outcome = std::variant<std::string, std::int64_t, std::pair<int, std::string>>;
template <typename F>
Outcome outcome(F f) {
    try {
        return f();
    } catch (const AutomationError& e) {
        EXPECT_STREQ(e.what(), e.description().c_str());
        return std::pair(e.number(), e.description());
    }
}
const std::pair<int, std::string> kNotSet{91, "Object variable or With block variable not set"};
const std::pair<int, std::string> kMismatch{13, "Type mismatch"};
const std::pair<int, std::string> kNoDefault{438, "Object doesn't support this property or method"};

TEST(Value, ConvertsToTextAndNumberOrRaises) {
    const struct {
        Value value;
        Outcome text, number;
    } rows[] = {
        {Value(), std::string(), std::int64_t{0}},
        {Value(42), std::string("42"), std::int64_t{42}},
        {Value(std::int64_t{-9000000000}), std::string("-9000000000"), std::int64_t{-9000000000}},
        {Value("-17"), std::string("-17"), std::int64_t{-17}},
        {Value("Wales"), std::string("Wales"), kMismatch},
        {Value(""), std::string(), kMismatch},
        {Value("12 "), std::string("12 "), kMismatch},
        {Value(" 12"), std::string(" 12"), kMismatch},
        {Value("99999999999999999999"), std::string("99999999999999999999"), kMismatch},
        {nation("7"), std::string("7"), std::int64_t{7}},  // an object stands for its key
        {nation("Malta"), std::string("Malta"), kMismatch},
        {kNoObject, kNotSet, kNotSet},
        {Value(std::make_shared<Object>()), kNoDefault, kNoDefault},  // an object without one
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value.isText() ? row.value.text() : "not a text");
        EXPECT_EQ(outcome([&] { return Outcome(row.value.toText()); }), row.text);
        EXPECT_EQ(outcome([&] { return Outcome(row.value.toNumber()); }), row.number);
    }
}

TEST(Object, OffersNoMemberOfItsOwnAndNamesTheOneAskedFor) {
    Object plain;
    const std::pair<std::function<void()>, std::string> calls[] = {
        {[&] { (void)plain.get("Key"); }, "Key"},
        {[&] { plain.set("Tag", Value(1)); }, "Tag"},
        {[&] { (void)plain.invoke("NewCopy", {}); }, "NewCopy"},
        {[&] { (void)plain.defaultValue(); }, ""},
    };
    for (const auto& [call, member] : calls) {
        try {
            call();
            ADD_FAILURE() << "no error for " << member;
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.number(), 438) << member;
            EXPECT_EQ(e.source(), member);
        }
    }
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
    for (const auto& [number, description] : rows) {
        const AutomationError passed = AutomationError::standard(number, "Item").withSource("Add");
        EXPECT_EQ(passed.number(), number);
        EXPECT_EQ(passed.source(), "Add");
        EXPECT_EQ(passed.description(), description);
        EXPECT_STREQ(passed.what(), description);
    }
}

TEST(TagSlot, KeepsAReferenceOrTheDefaultValueAndRefusesWhatItCannotHold) {
    TagSlot slot;
    const Value wales = nation("Wales");
    slot.setReference(wales);
    EXPECT_EQ(slot.get(), wales);
    slot.setValue(wales);
    EXPECT_EQ(slot.get(), Value("Wales"));
    slot.setValue(Value(3));
    EXPECT_EQ(slot.get(), Value(3));

    const std::pair<std::function<void()>, std::pair<int, std::string>> refusals[] = {
        {[&] { slot.setReference(Value("Wales")); }, {424, "Object required"}},
        {[&] { slot.setReference(Value()); }, {424, "Object required"}},
        {[&] { slot.setValue(kNoObject); }, kNotSet},
    };
    for (const auto& [call, raised] : refusals) {
        EXPECT_EQ(outcome([&] {
                      call();
                      return Outcome(std::string("no error"));
                  }),
                  Outcome(raised));
        EXPECT_EQ(slot.get(), Value(3));  // a refused store keeps the old tag
    }
}

}  // namespace
