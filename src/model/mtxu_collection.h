#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "object.h"
#include "tag_slot.h"

namespace velquor {

/// Ordered collection of shared objects, each filed under the text key that
/// the element carries in its "Key" member. Keys compare without regard to
/// letter case. A missing key or position gives nothing rather than an error;
/// other failures are raised with the operation's name as their source.
class mtxU_Collection : public Object {
  public:
    using Element = std::shared_ptr<Object>;

    /// Walks a snapshot of the elements in order.
    class Enumerator {
      public:
        explicit Enumerator(std::vector<Element> elements) : elements_(std::move(elements)) {}
        /// The next element, or nullptr at the end.
        Element next() { return pos_ < elements_.size() ? elements_[pos_++] : nullptr; }

      private:
        std::vector<Element> elements_;
        std::size_t pos_ = 0;
    };

    void setTagReference(const Value& vTag);  // "Set Tag"
    void setTagValue(const Value& vTag);      // "Let Tag"
    Value tag() const;                        // "Get Tag"

    /// Next free automatic key number; every read uses one up.
    std::int32_t IncKey();

    /// Files oObject under Key (an automatic key when omitted) and returns it;
    /// nullptr when the key is in use (the element keeps the new Key).
    Element Add(Element oObject, std::optional<Value> Key = std::nullopt,
                std::optional<Value> before = std::nullopt,
                std::optional<Value> after = std::nullopt);
    /// Files oObject under the key it carries; false when the key is in use.
    bool AddItem(const Element& oObject, std::optional<Value> before = std::nullopt,
                 std::optional<Value> after = std::nullopt);

    /// The element at a 1-based position (number) or under a key (text).
    Element Item(const Value& vntIndexKey) const;
    std::int32_t Count() const noexcept { return static_cast<std::int32_t>(elements_.size()); }
    /// Raises 5 for a missing key and 9 for a position out of range.
    void Remove(const Value& vntIndexKey);
    /// Empties the collection; the key counter and the tag stay.
    void RemoveAll();
    Enumerator NewEnum() const;

    /// A new collection of copies of all elements (their "NewCopy").
    std::shared_ptr<mtxU_Collection> NewCopy() const;
    /// Makes target, created when null, a copy of this collection, keeping
    /// its element objects where keys match (their "Copy"). Returns target.
    std::shared_ptr<mtxU_Collection> Copy(std::shared_ptr<mtxU_Collection>& omtxU_Collection) const;

    auto begin() const { return elements_.begin(); }
    auto end() const { return elements_.end(); }

    Value get(std::string_view name) const override;
    Value invoke(std::string_view method, std::span<const Value> args) override;

    /// Key folding used for comparisons (ASCII and Windows-1252 letters).
    static std::string foldKey(std::string_view key);

  private:
    // The inner store; raises 5, 9 and 457 like the runtime's collection.
    std::size_t indexOf(const Value& indexKey) const;
    void insert(Element element, const std::string& key, const std::optional<Value>& before,
                const std::optional<Value>& after);

    std::vector<Element> elements_;
    std::vector<std::string> keys_;  // folded, parallel to elements_
    std::unordered_map<std::string, Element> byKey_;
    std::int32_t counter_ = 0;
    TagSlot tag_;
};

}  // namespace velquor
