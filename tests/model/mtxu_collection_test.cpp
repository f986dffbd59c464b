#include "model/mtxu_collection.h"

#include <gtest/gtest.h>

#include "outcome.h"

namespace velquor {

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
    c.Add(record(), "2");
    c.Add(record());  // skips the key in use, and reading the counter uses a number up
    EXPECT_EQ(keys(c), "1 2 3");
    EXPECT_EQ(c.IncKey(), 4);
    c.RemoveAll();
    EXPECT_EQ(c.Item("2"), nullptr);  // the keys went with the elements
    c.Add(record());
    auto albania = c.Add(record(), "Albania");
    EXPECT_EQ(keys(c), "5 Albania");
    EXPECT_EQ(c.Item("ALBANIA"), albania);
    EXPECT_EQ(c.Item(2), albania);
    EXPECT_EQ(c.Item("Albani"), nullptr);
    EXPECT_EQ(c.Item("5"), c.Item(1));  // a text of digits is a key
    for (const int position : {0, 3, -1})
        EXPECT_EQ(c.Item(position), nullptr) << position;
    // An element under a key in use is refused without an error; it keeps that key.
    auto second = record();
    EXPECT_EQ(c.Add(second, "albania"), nullptr);
    EXPECT_EQ(second->key(), "albania");
    EXPECT_FALSE(c.AddItem(second));
    EXPECT_EQ(c.Count(), 2);
    // Keys fold the code page's capitals, and nothing else.
    EXPECT_TRUE(c.Add(record(), "kAZ\xC0\xDE\x8A\x8C\x8E\x9F"));
    EXPECT_FALSE(c.AddItem(record("Kaz\xE0\xFE\x9A\x9C\x9E\xFF")));
    for (const char* apart : {"@`", "[{", "\xD7\xF7", "\xBF\xDF"}) {
        c.Add(record(), std::string(1, apart[0]));
        EXPECT_TRUE(c.AddItem(record(std::string(1, apart[1])))) << int(apart[0] & 0xFF);
    }
}

TEST(Collection, PlacesRemovesRaisesWithTheOperationsNameAndCopies) {
    mtxU_Collection c;
    c.Add(record(), "a");
    c.Add(record(), "c");
    c.Add(record(), "b", "c");
    c.Add(record(), "d", std::nullopt, 3);
    c.AddItem(record("start"), 1);
    EXPECT_EQ(keys(c), "start a b c d");
    c.Remove("A");
    c.Remove(1);
    EXPECT_TRUE(c.AddItem(record("A")));  // the key index follows removals
    const std::string kMissing = "#5 Invalid procedure call or argument @";
    const std::pair<std::function<void()>, std::string> failures[] = {
        {[&] { c.Add(record(), "x", "nope"); }, kMissing + "Add"},
        {[&] { c.Add(record(), "x", 1, 1); }, kMissing + "Add"},
        {[&] { c.Remove("zz"); }, kMissing + "Remove"},
        {[&] { c.Remove(5); }, "#9 Subscript out of range @Remove"},
        {[&] { c.Add(std::make_shared<Object>()); }, kNoMember + " @Add"},
        {[&] { c.Add(nullptr); }, kNotSet + " @Add"},
        {[&] { c.AddItem(std::make_shared<Object>()); }, kNoMember + " @AddItem"},
        {[&] { c.NewCopy(); }, kNoMember + " @NewCopy"},
        {[&] { c.setTagReference(1); }, "#424 Object required @Set Tag"},
        {[&] { c.setTagValue(std::shared_ptr<Object>()); }, kNotSet + " @Let Tag"},
        {[&] { c.get("count"); }, kNoMember + " @count"},
    };
    for (const auto& [call, expected] : failures)
        EXPECT_EQ(outcome(call), expected);
    EXPECT_EQ(keys(c), "b c d A");  // the elements stayed as they were
    // The members a late-bound caller reaches by name.
    const auto rec = record("Wales");
    c.setTagReference(Value(rec));
    EXPECT_EQ(c.tag().object(), rec);
    c.setTagValue("plain");
    c.AddItem(rec);
    EXPECT_EQ(c.get("Tag"), Value("plain"));
    EXPECT_EQ(c.get("Count"), Value(5));
    EXPECT_EQ(c.invoke("Item", std::vector<Value>{"wales"}), Value(rec));
    c.RemoveAll();
    EXPECT_EQ(c.get("Count"), Value(0));
    EXPECT_EQ(c.tag(), Value("plain"));  // the tag stays
    // Copies copy the elements; a copy into a target keeps its elements whose keys match.
    mtxU_Collection source;
    for (const std::string key : {"a", "b"})
        source.AddItem(std::make_shared<Copyable>(key, "new " + key));
    source.IncKey();
    source.setTagValue("t");
    auto copy = source.NewCopy();
    EXPECT_EQ(keys(*copy), "a b");
    EXPECT_EQ(copy->IncKey(), 1);
    EXPECT_NE(copy->Item("a"), source.Item("a"));
    EXPECT_TRUE(copy->tag().isEmpty());
    auto target = std::make_shared<mtxU_Collection>();
    auto keptA = std::make_shared<Copyable>("A", "old a");
    target->AddItem(std::make_shared<Copyable>("gone", ""));
    target->AddItem(keptA);
    EXPECT_EQ(source.Copy(target), target);
    EXPECT_EQ(keys(*target), "A b");
    EXPECT_EQ(keptA->data, "new a");
    std::shared_ptr<mtxU_Collection> none;
    EXPECT_EQ(keys(*source.Copy(none)), "a b");
}

}  // namespace velquor
