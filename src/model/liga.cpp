#include "liga.h"

#include <limits>

#include "automation_error.h"
#include "competition.h"

namespace velquor {

void Liga::setKey(std::string sKey) noexcept {
    key_ = std::move(sKey);
}

void Liga::setTagReference(const Value& vTag) noexcept {
    try {
        tag_.setReference(vTag);
    } catch (...) {
    }
}

void Liga::setTagValue(const Value& vTag) noexcept {
    try {
        tag_.setValue(vTag);
    } catch (...) {
    }
}

Value Liga::tag() const noexcept {
    return tag_.get();
}

std::string* Liga::textMember(std::string_view name) {
    for (const Competition& competition : kCompetitions)
        if (name.size() == competition.name.size() + 1 && name.starts_with(competition.name))
            return competition.place(*this, name.back() - '0');
    if (name == "Liga")
        return &LigaName;
    return nullptr;
}

std::int16_t* Liga::countMember(std::string_view name) {
    for (const Competition& competition : kCompetitions)
        if (name.starts_with('N') && name.substr(1) == competition.name)
            return &(this->*competition.places);
    return nullptr;
}

Value Liga::get(std::string_view name) const {
    auto* self = const_cast<Liga*>(this);
    if (name == "Key")
        return key_;
    if (const std::string* text = self->textMember(name))
        return *text;
    if (const std::int16_t* count = self->countMember(name))
        return static_cast<int>(*count);
    notSupported(name);
}

void Liga::set(std::string_view name, const Value& value) {
    if (name == "Key") {
        std::string text;
        try {
            text = value.toText();
        } catch (...) {
            return;  // Key never raises
        }
        setKey(std::move(text));
        return;
    }
    if (std::string* text = textMember(name)) {
        *text = value.toText();
        return;
    }
    if (std::int16_t* count = countMember(name)) {
        const std::int64_t n = value.toNumber();
        if (n < std::numeric_limits<std::int16_t>::min() ||
            n > std::numeric_limits<std::int16_t>::max())
            throw AutomationError::standard(err::kOverflow, std::string(name));
        *count = static_cast<std::int16_t>(n);
        return;
    }
    notSupported(name);
}

}  // namespace velquor
