#pragma once

#include "driver/CommandExchange.h"
#include "driver/TimerDownload.h"
#include "model/Records.h"
#include "sun/SunriseSunset.h"

#include <array>
#include <optional>
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
    // What the CP290 holds that day, in the order sent: the day's own records, or on a day whose
    // download sends nothing, those kept from the last download that sent some.
    std::vector<TimerRecord> records;
    bool tooManyEvents = false;     // more than 128 records: the download sends nothing that day
    // Nothing is sent that day (no record is due, or too many are): the CP290 keeps what it has,
    // the records of the day `keptFrom`, or, when no earlier day of the schedule sent any, what it
    // held before, which the schedule cannot know.
    bool kept = false;
    std::optional<uint32_t> keptFrom;  // date seconds of that day's midnight
    std::vector<ScheduleMark> marks;  // the day's own events, by module, then event; none on a kept day
    // On a day with too many records: how many each module needs alone (module index, records),
    // the largest first; more than 128 shows as 129.
    std::vector<std::pair<int, int>> recordsByModule;
};

inline constexpr uint32_t HelperSendsAfterMidnight = 60;  // seconds

// `days` days from the day holding `first`, with the document's repeat counts; none past
// 2040-02-06, the last day date seconds hold.
std::vector<ScheduledDay> weekSchedule(const std::vector<Module> &modules, const ClassicEventRepeat &repeat,
                                       uint32_t first, int days);

// The events whose records fire on `day`: a weekly record on one of its weekdays, a record for
// today; a record for tomorrow is replaced by the next night's download before it fires.
std::vector<ScheduleMark> marksOfDay(const std::vector<Module> &modules, const DownloadDay &day);

// The driver's records as a list, the first `count` of them.
std::vector<TimerRecord> driverRecords(int count);

// What a kept day holds, in words: "kept from the download of Mon 2026-03-09", or, before any day
// of the schedule sent records, that the CP290 keeps what it already has.
std::string keptText(const ScheduledDay &day);

// The records as the listing of the CP290's stored events words them, one a line; "None." when
// there are none.
std::string listingLines(const std::vector<TimerRecord> &records);
