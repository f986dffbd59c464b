#include "model/mtxu_collection.h"

#include <gtest/gtest.h>

#include "model/automation_error.h"
#include "model/liga.h"

using velquor::AutomationError;
using velquor::Liga;
using velquor::mtxU_Collection;
using velquor::Object;
using velquor::Value;

namespace {

std::shared_ptr<Liga> record(const std::string& key = {}) {
    auto rec = std::make_shared<Liga>();
    rec->setKey(key);
    return rec;
}

std::vector<std::string> keys(const mtxU_Collection& c) {
    std::vector<std::string> out;
    for (const auto& e : c)
        out.push_back(e->get("Key").text());
    return out;
}

// An element that supports the copy methods the collection's copies need.
class Copyable : public Object {
  public:
    std::string key, data;
    Value get(std::string_view name) const override {
        if (name == "Key")
            return key;
        notSupported(name);
    }
    void set(std::string_view name, const Value& v) override {
        if (name != "Key")
            notSupported(name);
        key = v.toText();
    }
    Value invoke(std::string_view method, std::span<const Value> args) override {
        if (method == "NewCopy") {
            auto copy = std::make_shared<Copyable>(*this);
            return Value(std::shared_ptr<Object>(copy));
        }
        if (method == "Copy" && args.size() == 1) {
            std::static_pointer_cast<Copyable>(args[0].object())->data = data;
            return {};
        }
        notSupported(method);
    }
};

std::shared_ptr<Copyable> copyable(std::string key, std::string data) {
    auto c = std::make_shared<Copyable>();
    c->key = std::move(key);
    c->data = std::move(data);
    return c;
}

template <typename F>
AutomationError raised(F&& f) {
    try {
        f();
    } catch (const AutomationError& e) {
        return e;
    }
    ADD_FAILURE() << "no error raised";
    return AutomationError(0, "", "");
}

}  // namespace

TEST(Collection, AutomaticKeysSkipKeysInUseAndNeverGoBack) {
    mtxU_Collection c;
    auto first = record();
    EXPECT_EQ(c.Add(first), first);
    EXPECT_EQ(first->key(), "1");
    c.Add(record());
    EXPECT_EQ(keys(c), (std::vector<std::string>{"1", "2"}));

    mtxU_Collection explicitKeys;
    explicitKeys.Add(record(), Value("1"));
    explicitKeys.Add(record(), Value("2"));
    explicitKeys.Add(record());
    EXPECT_EQ(keys(explicitKeys).back(), "3");
    EXPECT_EQ(explicitKeys.IncKey(), 4);  // the counter stood at 3

    explicitKeys.RemoveAll();
    EXPECT_EQ(explicitKeys.Count(), 0);
    EXPECT_EQ(explicitKeys.Item(Value("2")), nullptr);  // the keys went with the elements
    explicitKeys.Add(record());
    EXPECT_TRUE(explicitKeys.AddItem(record("1")));
    EXPECT_EQ(keys(explicitKeys), (std::vector<std::string>{"5", "1"}));

    mtxU_Collection fresh;
    EXPECT_EQ(fresh.IncKey(), 1);
    EXPECT_EQ(fresh.IncKey(), 2);  // reading it uses a number up
}

TEST(Collection, ItemByKeyIgnoresCaseAndGivesNothingWhenMissing) {
    mtxU_Collection c;
    auto albania = record();
    c.Add(albania, Value("Albania"));
    c.Add(record(), Value("\xC5land"));
    EXPECT_EQ(c.Item(Value("albania")), albania);
    EXPECT_EQ(c.Item(Value("ALBANIA")), albania);
    EXPECT_NE(c.Item(Value("\xE5LAND")), nullptr);  // Windows-1252 letters fold too
    EXPECT_EQ(c.Item(Value("Albani")), nullptr);
    EXPECT_EQ(c.Item(Value(0)), nullptr);
    EXPECT_EQ(c.Item(Value(3)), nullptr);
    EXPECT_EQ(c.Item(Value(-1)), nullptr);
    EXPECT_EQ(c.Item(Value(1)), albania);
}

TEST(Collection, KeysFoldTheCodePagesCapitalsAndNothingElse) {
    // A key with the first byte finds an element under the second iff they fold together.
    const std::tuple<char, char, bool> pairs[] = {
        {'A', 'a', true},        {'Z', 'z', true},        {'@', '`', false},
        {'[', '{', false},       {'\xC0', '\xE0', true},  {'\xDE', '\xFE', true},
        {'\xD7', '\xF7', false}, {'\xBF', '\xDF', false}, {'\x8A', '\x9A', true},
        {'\x8C', '\x9C', true},  {'\x8E', '\x9E', true},  {'\x9F', '\xFF', true},
    };
    for (const auto& [upper, lower, folds] : pairs) {
        mtxU_Collection c;
        c.Add(record(), Value(std::string{'k', upper}));
        EXPECT_EQ(c.Item(Value(std::string{'k', lower})) != nullptr, folds) << int(upper & 0xFF);
        EXPECT_EQ(c.AddItem(record(std::string{'K', lower})), !folds) << int(upper & 0xFF);
    }
}

TEST(Collection, TextOfDigitsIsAKeyNotAPosition) {
    mtxU_Collection c;
    auto a = record();
    auto b = record();
    c.Add(a, Value("2"));
    c.Add(b, Value("1"));
    EXPECT_EQ(c.Item(Value("1")), b);
    EXPECT_EQ(c.Item(Value(1)), a);
}

TEST(Collection, DuplicateKeysAreRefusedWithoutAnError) {
    mtxU_Collection c;
    c.Add(record(), Value("Spain"));
    auto second = record();
    EXPECT_EQ(c.Add(second, Value("Spain")), nullptr);
    EXPECT_EQ(second->key(), "Spain");  // it keeps the key although it was not added
    EXPECT_EQ(c.Count(), 1);
    EXPECT_FALSE(c.AddItem(record("spain")));
    EXPECT_TRUE(c.AddItem(record("Italy")));
    EXPECT_EQ(keys(c), (std::vector<std::string>{"Spain", "Italy"}));
}

TEST(Collection, BeforeAndAfterPlaceTheElement) {
    mtxU_Collection c;
    c.Add(record(), Value("a"));
    c.Add(record(), Value("c"));
    c.Add(record(), Value("b"), Value("c"));
    c.Add(record(), Value("d"), std::nullopt, Value(3));
    c.AddItem(record("start"), Value(1));
    EXPECT_EQ(keys(c), (std::vector<std::string>{"start", "a", "b", "c", "d"}));
    EXPECT_EQ(raised([&] { c.Add(record(), Value("x"), Value("nope")); }).number(), 5);
}

TEST(Collection, RemovePassesFailuresOnWithItsName) {
    mtxU_Collection c;
    c.Add(record(), Value("a"));
    c.Add(record(), Value("b"));
    c.Remove(Value("A"));
    EXPECT_EQ(keys(c), (std::vector<std::string>{"b"}));
    const AutomationError missing = raised([&] { c.Remove(Value("zz")); });
    EXPECT_EQ(missing.number(), 5);
    EXPECT_EQ(missing.source(), "Remove");
    EXPECT_EQ(raised([&] { c.Remove(Value(2)); }).number(), 9);
    c.Remove(Value(1));
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(c.Item(Value("a")), nullptr);  // the key index follows removals
    EXPECT_TRUE(c.AddItem(record("A")));
}

TEST(Collection, EnumerationFollowsInsertionOrder) {
    mtxU_Collection c;
    for (const char* k : {"z", "m", "a"})
        c.Add(record(), Value(k));
    auto it = c.NewEnum();
    std::vector<std::string> seen;
    while (auto e = it.next())
        seen.push_back(e->get("Key").text());
    EXPECT_EQ(seen, (std::vector<std::string>{"z", "m", "a"}));
}

TEST(Collection, FailuresNameTheOperation) {
    mtxU_Collection c;
    const AutomationError noKey = raised([&] { c.Add(std::make_shared<Object>()); });
    EXPECT_EQ(noKey.number(), 438);
    EXPECT_EQ(noKey.source(), "Add");
    EXPECT_EQ(c.Count(), 0);
    const AutomationError notAnElement = raised([&] { c.AddItem(std::make_shared<Object>()); });
    EXPECT_EQ(notAnElement.number(), 438);
    EXPECT_EQ(notAnElement.source(), "AddItem");

    c.AddItem(record("x"));
    const AutomationError newCopy = raised([&] { c.NewCopy(); });
    EXPECT_EQ(newCopy.number(), 438);  // a nation record has no copy methods
    EXPECT_EQ(newCopy.source(), "NewCopy");

    EXPECT_EQ(raised([&] { c.setTagReference(Value(1)); }).source(), "Set Tag");
}

TEST(Collection, TagStoresAReferenceOrACopy) {
    mtxU_Collection c;
    auto rec = record("Wales");
    c.setTagReference(Value(std::shared_ptr<Object>(rec)));
    EXPECT_EQ(c.tag().object(), rec);
    c.setTagValue(Value("plain"));
    EXPECT_EQ(c.tag(), Value("plain"));
    // The same members by name, as a late-bound caller reaches them.
    c.AddItem(rec);
    EXPECT_EQ(c.get("Tag"), Value("plain"));
    EXPECT_EQ(c.get("Count"), Value(1));
    EXPECT_THROW(c.get("count"), AutomationError);
    const Value wales("wales");
    EXPECT_EQ(c.invoke("Item", std::span(&wales, 1)), Value(std::shared_ptr<Object>(rec)));
    c.RemoveAll();
    EXPECT_EQ(c.get("Count"), Value(0));
    EXPECT_EQ(c.tag(), Value("plain"));  // RemoveAll keeps the tag
}

TEST(Collection, NewCopyCopiesElementsNotCounterOrTag) {
    mtxU_Collection c;
    c.AddItem(copyable("a", "1"));
    c.AddItem(copyable("b", "2"));
    c.IncKey();
    c.setTagValue(Value("t"));
    auto copy = c.NewCopy();
    ASSERT_EQ(copy->Count(), 2);
    EXPECT_NE(copy->Item(Value("a")), c.Item(Value("a")));
    EXPECT_EQ(std::static_pointer_cast<Copyable>(copy->Item(Value("b")))->data, "2");
    EXPECT_TRUE(copy->tag().isEmpty());
    EXPECT_EQ(copy->IncKey(), 1);
}

TEST(Collection, CopyKeepsMatchingTargetElementsAndDropsOthers) {
    mtxU_Collection source;
    source.AddItem(copyable("a", "new a"));
    source.AddItem(copyable("b", "new b"));

    std::shared_ptr<mtxU_Collection> none;
    auto made = source.Copy(none);
    EXPECT_EQ(made, none);
    EXPECT_EQ(keys(*none), (std::vector<std::string>{"a", "b"}));

    auto target = std::make_shared<mtxU_Collection>();
    auto keptA = copyable("A", "old a");
    target->AddItem(copyable("gone", ""));
    target->AddItem(keptA);
    target->AddItem(copyable("also gone", ""));
    source.Copy(target);
    EXPECT_EQ(keys(*target), (std::vector<std::string>{"A", "b"}));
    EXPECT_EQ(target->Item(Value("a")), keptA);  // same object, new data
    EXPECT_EQ(keptA->data, "new a");
}
