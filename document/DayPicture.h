#pragma once

#include "document/WeekSchedule.h"

#include <optional>
#include <vector>

// What the Schedule's picture of a day draws, as values: each module's lit stretches, and the
// marks grouped where they would overlap.

// A stretch of the day a module is on: from an on record to the next off record of the module,
// or to the "All Modules" off of its house code, or to midnight when none comes. An "All Lights"
// on lights the lamp modules of its house code.
struct OnPeriod {
    int module = 0;
    int fromMinute = 0;
    int toMinute = 0;     // 1440: still on at midnight
    int brightness = 9;   // 1 to 8 dims, 9 full
    int event = -1;       // the event that switched it on; -1 for an "All Lights" on
    bool operator==(const OnPeriod &) const = default;
};
std::vector<OnPeriod> onPeriods(const std::vector<Module> &modules, const std::vector<ScheduleMark> &marks);

// Marks of one lane closer together than `closestMinutes` to the group's first: drawn as one mark
// with their count, and chosen together.
struct MarkGroup {
    int module = 0;
    int minute = 0;  // the first mark's
    std::vector<ScheduleMark> marks;  // by time
};
std::vector<MarkGroup> groupMarks(std::vector<ScheduleMark> marks, int closestMinutes);

// The group of lane `module` nearest to `minute`, if one lies within `toleranceMinutes`.
std::optional<std::size_t> nearestGroup(const std::vector<MarkGroup> &groups, int module, int minute, int toleranceMinutes);
