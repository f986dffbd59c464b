#include "mtxu_collection.h"

#include <algorithm>
#include <limits>

#include "automation_error.h"

namespace velquor {

namespace {

// Runs an operation; a failure leaves with the operation's name as source.
template <typename F>
auto guarded(const char* source, F&& body) -> decltype(body()) {
    try {
        return body();
    } catch (const AutomationError& e) {
        throw e.withSource(source);
    } catch (const std::exception& e) {
        throw AutomationError(51, source, e.what());
    }
}

bool isMissing(const AutomationError& e) {
    return e.number() == err::kInvalidCall || e.number() == err::kSubscriptOutOfRange;
}

unsigned char foldByte(unsigned char c) {
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 32);
    switch (c) {
        case 0x8A:
            return 0x9A;  // S caron
        case 0x8C:
            return 0x9C;  // OE
        case 0x8E:
            return 0x9E;  // Z caron
        case 0x9F:
            return 0xFF;  // Y diaeresis
        default:
            return c;
    }
}

}  // namespace

std::string mtxU_Collection::foldKey(std::string_view key) {
    std::string folded(key);
    for (char& c : folded)
        c = static_cast<char>(foldByte(static_cast<unsigned char>(c)));
    return folded;
}

std::size_t mtxU_Collection::indexOf(const Value& indexKey) const {
    if (indexKey.isNumber()) {
        const std::int64_t pos = indexKey.number();
        if (pos < 1 || pos > static_cast<std::int64_t>(elements_.size()))
            throw AutomationError::standard(err::kSubscriptOutOfRange, "");
        return static_cast<std::size_t>(pos - 1);
    }
    const std::string folded = foldKey(indexKey.toText());
    auto it = std::find(keys_.begin(), keys_.end(), folded);
    if (it == keys_.end())
        throw AutomationError::standard(err::kInvalidCall, "");
    return static_cast<std::size_t>(it - keys_.begin());
}

void mtxU_Collection::insert(Element element, const std::string& key,
                             const std::optional<Value>& before,
                             const std::optional<Value>& after) {
    if (before && after)
        throw AutomationError::standard(err::kInvalidCall, "");
    std::string folded = foldKey(key);
    if (byKey_.contains(folded))
        throw AutomationError::standard(err::kKeyInUse, "");
    std::size_t at = elements_.size();
    if (before)
        at = indexOf(*before);
    if (after)
        at = indexOf(*after) + 1;
    elements_.insert(elements_.begin() + static_cast<std::ptrdiff_t>(at), element);
    keys_.insert(keys_.begin() + static_cast<std::ptrdiff_t>(at), folded);
    byKey_.emplace(std::move(folded), std::move(element));
}

void mtxU_Collection::setTagReference(const Value& vTag) {
    guarded("Set Tag", [&] { tag_.setReference(vTag); });
}

void mtxU_Collection::setTagValue(const Value& vTag) {
    guarded("Let Tag", [&] { tag_.setValue(vTag); });
}

Value mtxU_Collection::tag() const {
    return guarded("Get Tag", [&] { return tag_.get(); });
}

std::int32_t mtxU_Collection::IncKey() {
    return guarded("Get IncKey", [&] {
        std::int32_t next = counter_;
        do {
            if (next == std::numeric_limits<std::int32_t>::max())
                throw AutomationError::standard(err::kOverflow, "");
            ++next;
            counter_ = next;
        } while (Item(Value(std::to_string(next))) != nullptr);
        return next;
    });
}

mtxU_Collection::Element mtxU_Collection::Add(Element oObject, std::optional<Value> Key,
                                              std::optional<Value> before,
                                              std::optional<Value> after) {
    return guarded("Add", [&]() -> Element {
        if (!oObject)
            throw AutomationError::standard(err::kObjectNotSet, "");
        const Value k = Key ? *Key : Value(static_cast<std::int64_t>(IncKey()));
        oObject->set("Key", k);
        const std::string key = oObject->get("Key").toText();
        try {
            insert(oObject, key, before, after);
        } catch (const AutomationError& e) {
            if (e.number() == err::kKeyInUse)
                return nullptr;
            throw;
        }
        return oObject;
    });
}

bool mtxU_Collection::AddItem(const Element& oObject, std::optional<Value> before,
                              std::optional<Value> after) {
    return guarded("AddItem", [&] {
        if (!oObject)
            throw AutomationError::standard(err::kObjectNotSet, "");
        const std::string key = oObject->get("Key").toText();
        try {
            insert(oObject, key, before, after);
        } catch (const AutomationError& e) {
            if (e.number() == err::kKeyInUse)
                return false;
            throw;
        }
        return true;
    });
}

mtxU_Collection::Element mtxU_Collection::Item(const Value& vntIndexKey) const {
    return guarded("Get Item", [&]() -> Element {
        if (!vntIndexKey.isNumber()) {
            // Key lookups are the hot path (the loader and the panel use them).
            auto it = byKey_.find(foldKey(vntIndexKey.toText()));
            return it == byKey_.end() ? nullptr : it->second;
        }
        try {
            return elements_[indexOf(vntIndexKey)];
        } catch (const AutomationError& e) {
            if (isMissing(e))
                return nullptr;
            throw;
        }
    });
}

void mtxU_Collection::Remove(const Value& vntIndexKey) {
    guarded("Remove", [&] {
        const std::size_t at = indexOf(vntIndexKey);
        byKey_.erase(keys_[at]);
        elements_.erase(elements_.begin() + static_cast<std::ptrdiff_t>(at));
        keys_.erase(keys_.begin() + static_cast<std::ptrdiff_t>(at));
    });
}

void mtxU_Collection::RemoveAll() {
    guarded("RemoveAll", [&] {
        elements_.clear();
        keys_.clear();
        byKey_.clear();
    });
}

mtxU_Collection::Enumerator mtxU_Collection::NewEnum() const {
    return guarded("Get NewEnum", [&] { return Enumerator(elements_); });
}

std::shared_ptr<mtxU_Collection> mtxU_Collection::NewCopy() const {
    return guarded("NewCopy", [&] {
        auto copy = std::make_shared<mtxU_Collection>();
        for (const Element& element : elements_) {
            const Value duplicate = element->invoke("NewCopy", {});
            if (!duplicate.isObject())
                throw AutomationError::standard(err::kNotSupported, "");
            copy->AddItem(duplicate.object());
        }
        return copy;
    });
}

std::shared_ptr<mtxU_Collection> mtxU_Collection::Copy(
    std::shared_ptr<mtxU_Collection>& omtxU_Collection) const {
    return guarded("Copy", [&] {
        if (!omtxU_Collection) {
            omtxU_Collection = std::make_shared<mtxU_Collection>();
        } else {
            // Walk backwards so removals do not shift the positions still to visit.
            for (std::int32_t i = omtxU_Collection->Count(); i >= 1; --i) {
                const Element theirs = omtxU_Collection->Item(Value(i));
                if (!Item(theirs->get("Key")))
                    omtxU_Collection->Remove(Value(i));
            }
        }
        for (const Element& element : elements_) {
            const Value key = element->get("Key");
            if (const Element theirs = omtxU_Collection->Item(key)) {
                const Value arg(theirs);
                element->invoke("Copy", std::span<const Value>(&arg, 1));
            } else {
                const Value duplicate = element->invoke("NewCopy", {});
                if (!duplicate.isObject())
                    throw AutomationError::standard(err::kNotSupported, "");
                omtxU_Collection->AddItem(duplicate.object());
            }
        }
        return omtxU_Collection;
    });
}

Value mtxU_Collection::get(std::string_view name) const {
    if (name == "Count")
        return static_cast<int>(Count());
    if (name == "Tag")
        return tag();
    notSupported(name);
}

Value mtxU_Collection::invoke(std::string_view method, std::span<const Value> args) {
    if (method == "Item" && args.size() == 1)
        return Value(Item(args[0]));
    if (method == "NewCopy" && args.empty())
        return Value(std::shared_ptr<Object>(NewCopy()));
    notSupported(method);
}

}  // namespace velquor
