#pragma once

#include "driver/CommandExchange.h"
#include "model/Records.h"
#include "sun/SunriseSunset.h"

#include <array>
#include <vector>

// What the CP290 will hold on the days ahead: for each day, the records a download made a minute
// past that midnight gives (as the background helper makes it), with that day's sun.

using TimerRecord = std::array<uint8_t, CP290TimerRecordSize>;

struct ScheduledDay {
    uint32_t midnight = 0;          // date seconds
    SunTimes sun {SunNeverRisesOrSets, SunNeverRisesOrSets};
    std::vector<TimerRecord> records;  // in the order they are sent; none on a day that overflows
    bool tooManyEvents = false;     // more than 128 records: the download sends nothing that day
};

inline constexpr uint32_t HelperSendsAfterMidnight = 60;  // seconds

// `days` days from the day holding `first`, with the document's repeat counts.
std::vector<ScheduledDay> weekSchedule(const std::vector<Module> &modules, const ClassicEventRepeat &repeat,
                                       uint32_t first, int days);

// The records stored by a download, as the CP290's own buffer holds them (0xFF in empty ones).
void recordsAsStored(const std::vector<TimerRecord> &records,
                     uint8_t (&buffer)[CP290TimerRecordCount][CP290TimerRecordSize]);
