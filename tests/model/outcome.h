#pragma once

#include <gtest/gtest.h>
#include <string>
#include <type_traits>
#include "model/automation_error.h"
#include "model/liga.h"

namespace velquor {

// What an operation gave: its text result, "done", or "#number description @source".
template <typename F>
std::string outcome(F&& f) {
    try {
        if constexpr (!std::is_void_v<decltype(f())>)
            return f();
        f();
        return "done";
    } catch (const AutomationError& e) {
        EXPECT_STREQ(e.what(), e.description().c_str());
        return "#" + std::to_string(e.number()) + " " + e.description() +
               (e.source().empty() ? "" : " @" + e.source());
    }
}

// How a failed assertion shows a value.
inline void PrintTo(const Value& value, std::ostream* os) {
    if (value.isEmpty())
        *os << "(empty)";
    else if (value.isObject())
        *os << "object " << value.object().get();
    else
        *os << (value.isText() ? '"' + value.text() + '"' : std::to_string(value.number()));
}

inline std::shared_ptr<Liga> record(const std::string& key = {}) {
    auto rec = std::make_shared<Liga>();
    rec->setKey(key);
    return rec;
}

inline const std::string kNotSet = "#91 Object variable or With block variable not set";
inline const std::string kNoMember = "#438 Object doesn't support this property or method";

}  // namespace velquor
