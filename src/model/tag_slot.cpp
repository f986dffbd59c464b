#include "tag_slot.h"

#include "automation_error.h"
#include "object.h"

namespace velquor {

void TagSlot::setReference(const Value& tag) {
    if (!tag.isObject())
        throw AutomationError(424, "", "Object required");
    value_ = tag;
}

void TagSlot::setValue(const Value& tag) {
    if (tag.isObject()) {
        if (!tag.object())
            throw AutomationError::standard(err::kObjectNotSet, "");
        value_ = tag.object()->defaultValue();
        return;
    }
    value_ = tag;
}

}  // namespace velquor
