#pragma once

#include "value.h"

namespace velquor {

/// A free value kept for the using application: either a shared object
/// reference (set by reference) or a copied plain value (set by value).
class TagSlot {
  public:
    /// Stores the reference itself; the owner then shares the object.
    void setReference(const Value& tag);
    /// Stores a copy; an object given here stands for its default member.
    void setValue(const Value& tag);
    /// The stored reference, or a copy of the stored value.
    Value get() const { return value_; }

  private:
    Value value_;
};

}  // namespace velquor
