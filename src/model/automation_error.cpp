#include "automation_error.h"

namespace velquor {

AutomationError::AutomationError(int number, std::string source, std::string description)
    : std::runtime_error(description),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)) {}

AutomationError AutomationError::withSource(std::string source) const {
    return AutomationError(number_, std::move(source), description_);
}

std::string AutomationError::standardDescription(int number) {
    switch (number) {
        case err::kInvalidCall:
            return "Invalid procedure call or argument";
        case err::kOverflow:
            return "Overflow";
        case err::kSubscriptOutOfRange:
            return "Subscript out of range";
        case err::kObjectNotSet:
            return "Object variable or With block variable not set";
        case err::kNotSupported:
            return "Object doesn't support this property or method";
        case err::kKeyInUse:
            return "This key is already associated with an element of this collection";
        default:
            return "Application-defined or object-defined error";
    }
}

AutomationError AutomationError::standard(int number, std::string source) {
    return AutomationError(number, std::move(source), standardDescription(number));
}

}  // namespace velquor
