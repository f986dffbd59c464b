#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "liga.h"

namespace velquor {

/// One of the three European competitions as a nation record holds it.
struct Competition {
    std::string_view name;       // the start of its members' names ("UCL1"), and dump's key
    std::int16_t Liga::*places;  // the nation's number of places: NUCL, NUEFA, NIntertoto
    int room;                    // members the record has for it; places beyond hold nothing
    std::array<std::string Liga::*, 4> members;  // the first `room` hold its clubs in order

    /// Place `place` (1-based) of rec; nullptr outside the record's room.
    std::string* place(Liga& rec, int place) const {
        return place >= 1 && place <= room ? &(rec.*members[static_cast<std::size_t>(place - 1)])
                                           : nullptr;
    }
    const std::string* place(const Liga& rec, int place) const {
        return this->place(const_cast<Liga&>(rec), place);
    }
    /// Places of rec that can hold a club: its number of places, within the room.
    int heldPlaces(const Liga& rec) const { return std::min<int>(rec.*places, room); }
};

/// The competitions in the order a nation's club lines fill their places.
// clang-format off
inline constexpr std::array<Competition, 3> kCompetitions = {{
    {"UCL", &Liga::NUCL, 4, {&Liga::UCL1, &Liga::UCL2, &Liga::UCL3, &Liga::UCL4}},
    {"UEFA", &Liga::NUEFA, 4, {&Liga::UEFA1, &Liga::UEFA2, &Liga::UEFA3, &Liga::UEFA4}},
    {"Intertoto", &Liga::NIntertoto, 3, {&Liga::Intertoto1, &Liga::Intertoto2, &Liga::Intertoto3}},
}};
// clang-format on

}  // namespace velquor
