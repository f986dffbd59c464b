#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

namespace velquor {

class Object;

/// A late-bound value: nothing, a number, a text (bytes of the file's code
/// page) or a reference to a shared object.
class Value {
  public:
    Value() = default;
    Value(int v) : data_(static_cast<std::int64_t>(v)) {}
    Value(std::int64_t v) : data_(v) {}
    Value(std::string v) : data_(std::move(v)) {}
    Value(const char* v) : data_(std::string(v)) {}
    Value(std::shared_ptr<Object> v) : data_(std::move(v)) {}

    bool isEmpty() const { return std::holds_alternative<std::monostate>(data_); }
    bool isNumber() const { return std::holds_alternative<std::int64_t>(data_); }
    bool isText() const { return std::holds_alternative<std::string>(data_); }
    bool isObject() const { return std::holds_alternative<std::shared_ptr<Object>>(data_); }

    std::int64_t number() const { return std::get<std::int64_t>(data_); }
    const std::string& text() const { return std::get<std::string>(data_); }
    const std::shared_ptr<Object>& object() const {
        return std::get<std::shared_ptr<Object>>(data_);
    }

    /// The value as text: numbers in plain decimal, empty as "". An object
    /// reference stands for its default member. Raises for an object without one.
    std::string toText() const;
    /// The value as a number: text must be a plain decimal. Raises otherwise.
    std::int64_t toNumber() const;

    friend bool operator==(const Value&, const Value&) = default;

  private:
    std::variant<std::monostate, std::int64_t, std::string, std::shared_ptr<Object>> data_;
};

}  // namespace velquor
