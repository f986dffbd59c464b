#include "model/mtxu_collection.h"

#include <gtest/gtest.h>

#include "model/liga.h"
#include "outcome.h"

namespace velquor {

static std::shared_ptr<Liga> record(const std::string& key = {}) {
    auto rec = std::make_shared<Liga>();
    rec->setKey(key);
    return rec;
}

static std::string keys(const mtxU_Collection& c) {
    std::string out;
    for (auto it = c.NewEnum(); auto e = it.next();)
        out += (out.empty() ? "" : " ") + e->get("Key").text();
    return out;
}

// A nation record has no copy methods; this element has both.
struct Copyable : Object {
    std::string key, data;
    Copyable(std::string k, std::string d) : key(std::move(k)), data(std::move(d)) {}
    Value get(std::string_view) const override { return key; }
    Value invoke(std::string_view method, std::span<const Value> args) override {
        if (method == "Copy")
            std::static_pointer_cast<Copyable>(args[0].object())->data = data;
        return method == "NewCopy" ? Value(std::make_shared<Copyable>(*this)) : Value();
    }
};

TEST(Collection, KeysAreAutomaticOrGivenAndFoldTheCodePagesCapitals) {
    mtxU_Collection c;
    auto first = record();
    EXPECT_EQ(c.Add(first), first);
    c.Add(record(), Value("2"));
    c.Add(record());  // skips the key in use
    EXPECT_EQ(keys(c), "1 2 3");
    EXPECT_EQ(c.IncKey(), 4);  // the counter stood at 3; reading it uses a number up
    c.RemoveAll();
    EXPECT_EQ(c.Item(Value("2")), nullptr);  // the keys went with the elements
    c.Add(record());
    auto albania = c.Add(record(), Value("Albania"));
    EXPECT_EQ(keys(c), "5 Albania");
    EXPECT_EQ(c.Item(Value("ALBANIA")), albania);
    EXPECT_EQ(c.Item(Value("Albani")), nullptr);
    EXPECT_EQ(c.Item(Value("5")), c.Item(Value(1)));  // a text of digits is a key
    EXPECT_EQ(c.Item(Value(2)), albania);
    EXPECT_TRUE(!c.Item(Value(0)) && !c.Item(Value(3)) && !c.Item(Value(-1)));
    // An element under a key in use is refused without an error; it keeps that key.
    auto second = record();
    EXPECT_EQ(c.Add(second, Value("albania")), nullptr);
    EXPECT_EQ(second->key(), "albania");
    EXPECT_FALSE(c.AddItem(second));
    EXPECT_EQ(c.Count(), 2);

    // Keys fold the code page's capitals, and nothing else.
    EXPECT_TRUE(c.Add(record(), Value("kAZ\xC0\xDE\x8A\x8C\x8E\x9F")));
    EXPECT_FALSE(c.AddItem(record("Kaz\xE0\xFE\x9A\x9C\x9E\xFF")));
    for (const char* apart : {"@`", "[{", "\xD7\xF7", "\xBF\xDF"}) {
        c.Add(record(), Value(std::string(1, apart[0])));
        EXPECT_TRUE(c.AddItem(record(std::string(1, apart[1])))) << int(apart[0] & 0xFF);
    }
}

TEST(Collection, PlacesRemovesAndRaisesWithTheOperationsName) {
    mtxU_Collection c;
    c.Add(record(), Value("a"));
    c.Add(record(), Value("c"));
    c.Add(record(), Value("b"), Value("c"));
    c.Add(record(), Value("d"), std::nullopt, Value(3));
    c.AddItem(record("start"), Value(1));
    EXPECT_EQ(keys(c), "start a b c d");
    c.Remove(Value("A"));
    c.Remove(Value(1));
    EXPECT_TRUE(c.AddItem(record("A")));  // the key index follows removals
    const std::string kMissing = "#5 Invalid procedure call or argument @";
    const std::pair<std::function<void()>, std::string> failures[] = {
        {[&] { c.Add(record(), Value("x"), Value("nope")); }, kMissing + "Add"},
        {[&] { c.Add(record(), Value("x"), Value(1), Value(1)); }, kMissing + "Add"},
        {[&] { c.Remove(Value("zz")); }, kMissing + "Remove"},
        {[&] { c.Remove(Value(5)); }, "#9 Subscript out of range @Remove"},
        {[&] { c.Add(std::make_shared<Object>()); }, kNoMember + " @Add"},
        {[&] { c.Add(nullptr); }, kNotSet + " @Add"},
        {[&] { c.AddItem(std::make_shared<Object>()); }, kNoMember + " @AddItem"},
        {[&] { c.NewCopy(); }, kNoMember + " @NewCopy"},
        {[&] { c.setTagReference(Value(1)); }, "#424 Object required @Set Tag"},
        {[&] { c.setTagValue(Value(std::shared_ptr<Object>())); }, kNotSet + " @Let Tag"},
        {[&] { c.get("count"); }, kNoMember + " @count"},
    };
    for (const auto& [call, expected] : failures) {
        EXPECT_EQ(outcome(call), expected);
        EXPECT_EQ(keys(c), "b c d A");
    }
    // The members a late-bound caller reaches by name.
    auto rec = record("Wales");
    c.setTagReference(Value(std::shared_ptr<Object>(rec)));
    EXPECT_EQ(c.tag().object(), rec);
    c.setTagValue(Value("plain"));
    c.AddItem(rec);
    EXPECT_EQ(c.get("Tag"), Value("plain"));
    EXPECT_EQ(c.get("Count"), Value(5));
    const Value wales("wales");
    EXPECT_EQ(c.invoke("Item", std::span(&wales, 1)), Value(std::shared_ptr<Object>(rec)));
    c.RemoveAll();
    EXPECT_EQ(c.get("Count"), Value(0));
    EXPECT_EQ(c.tag(), Value("plain"));  // RemoveAll keeps the tag
}

TEST(Collection, CopiesCopyElementsAndKeepMatchingTargetElements) {
    mtxU_Collection source;
    source.AddItem(std::make_shared<Copyable>("a", "new a"));
    source.AddItem(std::make_shared<Copyable>("b", "new b"));
    source.IncKey();
    source.setTagValue(Value("t"));
    auto copy = source.NewCopy();
    EXPECT_EQ(keys(*copy), "a b");
    EXPECT_NE(copy->Item(Value("a")), source.Item(Value("a")));
    EXPECT_TRUE(copy->tag().isEmpty());
    EXPECT_EQ(copy->IncKey(), 1);
    auto target = std::make_shared<mtxU_Collection>();
    auto keptA = std::make_shared<Copyable>("A", "old a");
    for (const auto& element : {std::make_shared<Copyable>("gone", ""), keptA})
        target->AddItem(element);
    EXPECT_EQ(source.Copy(target), target);
    EXPECT_EQ(keys(*target), "A b");
    EXPECT_EQ(keptA->data, "new a");  // the same object, with new data
    std::shared_ptr<mtxU_Collection> none;
    EXPECT_EQ(keys(*source.Copy(none)), "a b");
}

}  // namespace velquor
