#include "object.h"

#include <charconv>
#include <string>

#include "automation_error.h"

namespace velquor {

void Object::notSupported(std::string_view name) {
    throw AutomationError::standard(err::kNotSupported, std::string(name));
}

Value Object::get(std::string_view name) const {
    notSupported(name);
}

void Object::set(std::string_view name, const Value&) {
    notSupported(name);
}

Value Object::invoke(std::string_view method, std::span<const Value>) {
    notSupported(method);
}

Value Object::defaultValue() const {
    notSupported("");
}

std::string Value::toText() const {
    if (isEmpty())
        return {};
    if (isText())
        return text();
    if (isNumber())
        return std::to_string(number());
    if (!object())
        throw AutomationError::standard(err::kObjectNotSet, "");
    return object()->defaultValue().toText();
}

std::int64_t Value::toNumber() const {
    if (isEmpty())
        return 0;
    if (isNumber())
        return number();
    if (isObject()) {
        if (!object())
            throw AutomationError::standard(err::kObjectNotSet, "");
        return object()->defaultValue().toNumber();
    }
    const std::string& s = text();
    std::int64_t n = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty())
        throw AutomationError(13, "", "Type mismatch");
    return n;
}

}  // namespace velquor
