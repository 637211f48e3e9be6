#pragma once

#include <cstdint>

// Today's sunrise and sunset at the computer's location, as time-of-day seconds to the minute.

inline constexpr uint32_t SunNeverRisesOrSets = 0xFFFFFFFF;  // both results on a day without both

extern uint32_t gSunriseTime;
extern uint32_t gSunsetTime;

// Reads today's date and the location and leaves the results in gSunriseTime and gSunsetTime.
void SetRiseSetTimes();
// The Sun's right ascension A5 and declination D5 at the instant T.
void s910();
// Tests the hour C0 for a crossing of the rise-and-set circle.
void s490();
double SGN(double x);
