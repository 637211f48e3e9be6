#pragma once

#include "driver/CommandExchange.h"
#include "driver/TimerDownload.h"
#include "model/Records.h"
#include "sun/SunriseSunset.h"

#include <array>
#include <vector>

// What the CP290 will hold on the days ahead: for each day, the records a download made a minute
// past that midnight gives (as the background helper makes it), with that day's sun.

using TimerRecord = std::array<uint8_t, CP290TimerRecordSize>;

// An event switching its module on a day.
struct ScheduleMark {
    int module = 0;
    int event = 0;
    int minute = 0;  // of the day, 0 to 1439
    bool on = false;
    int brightness = 9;  // 1 to 8 dims, 9 full
};

struct ScheduledDay {
    uint32_t midnight = 0;          // date seconds
    SunTimes sun {SunNeverRisesOrSets, SunNeverRisesOrSets};
    std::vector<TimerRecord> records;  // in the order they are sent; none on a day that overflows
    bool tooManyEvents = false;     // more than 128 records: the download sends nothing that day
    std::vector<ScheduleMark> marks;  // by module, then event; none on a day that overflows
};

inline constexpr uint32_t HelperSendsAfterMidnight = 60;  // seconds

// `days` days from the day holding `first`, with the document's repeat counts.
std::vector<ScheduledDay> weekSchedule(const std::vector<Module> &modules, const ClassicEventRepeat &repeat,
                                       uint32_t first, int days);

// The events whose records fire on `day`: a weekly record on one of its weekdays, a record for
// today; a record for tomorrow is replaced by the next night's download before it fires.
std::vector<ScheduleMark> marksOfDay(const std::vector<Module> &modules, const DownloadDay &day);

// The driver's records as a list, the first `count` of them.
std::vector<TimerRecord> driverRecords(int count);

// The records as the listing of the CP290's stored events words them, one a line; "None." when
// there are none.
std::string listingLines(const std::vector<TimerRecord> &records);
