#pragma once

#include <span>
#include <string_view>

#include "value.h"

namespace velquor {

/// An object whose members can be reached by name at run time. Every member
/// not offered by a class raises error 438 to the caller.
class Object : public std::enable_shared_from_this<Object> {
  public:
    virtual ~Object() = default;

    virtual Value get(std::string_view name) const;
    virtual void set(std::string_view name, const Value& value);
    /// Calls a method by name.
    virtual Value invoke(std::string_view method, std::span<const Value> args);
    /// The member that stands for the object where a plain value is needed.
    virtual Value defaultValue() const;

  protected:
    [[noreturn]] static void notSupported(std::string_view name);
};

}  // namespace velquor
