#pragma once

#include <cstdint>

struct DateTimeRec;
struct MachineLocation;

// Today's sunrise and sunset at the computer's location, as time-of-day seconds to the minute.

inline constexpr uint32_t SunNeverRisesOrSets = 0xFFFFFFFF;  // both results on a day without both

extern uint32_t gSunriseTime;
extern uint32_t gSunsetTime;

struct SunTimes {
    uint32_t sunrise;  // time-of-day seconds, or SunNeverRisesOrSets
    uint32_t sunset;
};

// Sunrise and sunset on the day of `date` at `location` (in whole degrees and whole hours, as the
// machine location gives them).
SunTimes sunTimes(const DateTimeRec &date, const MachineLocation &location);

// Reads today's date and the location and leaves sunTimes' results in gSunriseTime and gSunsetTime.
void SetRiseSetTimes();
