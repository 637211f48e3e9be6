#include "document/WeekSchedule.h"

#include "document/EventDownload.h"
#include "driver/DeviceOperations.h"
#include "driver/SerialLink.h"
#include "driver/StoredEventListing.h"
#include "driver/TimerDownload.h"

#include <algorithm>
#include <cstring>

namespace {

// A schedule borrows the download's encoder and must leave the driver as it found it: a download
// may be under way (its progress sheet lets timers run) with its records in the same buffer.
// Nor does it report a download that does not fit; it only marks the day.
class DriverStateKept {
public:
    DriverStateKept() : verbose(CP290Verbose), records(NumEvents), sun {gSunriseTime, gSunsetTime}
    {
        std::memcpy(buffer, CP290TimerEvent, sizeof buffer);
        CP290Verbose = 0;
    }
    ~DriverStateKept()
    {
        std::memcpy(CP290TimerEvent, buffer, sizeof buffer);
        NumEvents = records;
        gSunriseTime = sun.sunrise;
        gSunsetTime = sun.sunset;
        CP290Verbose = verbose;
    }
    DriverStateKept(const DriverStateKept &) = delete;
    DriverStateKept &operator=(const DriverStateKept &) = delete;

private:
    uint8_t verbose;
    uint16_t records;
    SunTimes sun;
    uint8_t buffer[CP290TimerRecordCount][CP290TimerRecordSize];
};

// How many records each module needs on its own at the moment in force, the largest first.
std::vector<std::pair<int, int>> recordsNeededByModule(const std::vector<Module> &modules, const ClassicEventRepeat &repeat)
{
    std::vector<std::pair<int, int>> needs;
    for (std::size_t m = 0; m < modules.size(); ++m) {
        bool anyEvent = false;
        const bool fits = encodeDocumentEvents({modules[m]}, repeat, &anyEvent);
        const int records = fits ? (anyEvent ? NumEvents : 0) : CP290TimerRecordCount + 1;
        if (records > 0)
            needs.emplace_back(static_cast<int>(m), records);
    }
    std::stable_sort(needs.begin(), needs.end(), [](const auto &a, const auto &b) { return a.second > b.second; });
    return needs;
}

}  // namespace

std::vector<ScheduledDay> weekSchedule(const std::vector<Module> &modules, const ClassicEventRepeat &repeat,
                                       uint32_t first, int days)
{
    const DriverStateKept driverState;
    std::vector<ScheduledDay> schedule;
    std::optional<std::size_t> lastSent;  // the last day that sent records
    for (int index = 0; index < days; ++index) {
        ScheduledDay day;
        day.midnight = midnightOf(first) + static_cast<uint32_t>(index) * SecondsPerDay;
        if (day.midnight < midnightOf(first) || day.midnight > LastDayMidnight)
            break;
        const ScopedMoment moment(day.midnight + HelperSendsAfterMidnight);
        bool anyEvent = false;
        day.tooManyEvents = !encodeDocumentEvents(modules, repeat, &anyEvent);
        if (day.tooManyEvents)
            day.recordsByModule = recordsNeededByModule(modules, repeat);
        if (!anyEvent)
            SetRiseSetTimes();
        day.sun = {gSunriseTime, gSunsetTime};
        day.kept = day.tooManyEvents || !anyEvent || NumEvents == 0;
        if (!day.kept) {
            day.marks = marksOfDay(modules, downloadDayAt(day.midnight + HelperSendsAfterMidnight, day.sun));
            day.records = driverRecords(NumEvents);
        } else if (lastSent) {
            day.keptFrom = schedule[*lastSent].midnight;
            day.records = schedule[*lastSent].records;
        }
        if (!day.kept)
            lastSent = schedule.size();
        schedule.push_back(std::move(day));
    }
    return schedule;
}

std::string keptText(const ScheduledDay &day)
{
    if (!day.keptFrom)
        return "nothing sent: the CP290 keeps the events it already has";
    DateTimeRec from;
    SecondsToDate(*day.keptFrom, &from);
    return std::string("kept from the download of ") + shortWeekdayName(from) + " " + formatIsoDate(from);
}

std::vector<ScheduleMark> marksOfDay(const std::vector<Module> &modules, const DownloadDay &day)
{
    std::vector<ScheduleMark> marks;
    for (std::size_t m = 0; m < modules.size(); ++m) {
        const Module &module = modules[m];
        for (std::size_t e = 0; e < module.events.size(); ++e) {
            const Event &event = module.events[e];
            if (!sendsRecords(static_cast<int>(module.houseCode), static_cast<int>(module.unit), event) ||
                !recordFiresOn(modeOf(event, day), recordDayMap(event), day))
                continue;
            const int minute = minuteOfDay(*eventTimeOfDay(event, day));
            const bool on = event.has(EventOn);
            marks.push_back({static_cast<int>(m), static_cast<int>(e), minute, on, on ? event.Brightness : 0});
        }
    }
    return marks;
}

std::vector<TimerRecord> driverRecords(int count)
{
    std::vector<TimerRecord> records(static_cast<std::size_t>(count));
    for (int number = 0; number < count; ++number)
        std::memcpy(records[static_cast<std::size_t>(number)].data(), CP290TimerEvent[number], CP290TimerRecordSize);
    return records;
}

std::string listingLines(const std::vector<TimerRecord> &records)
{
    uint8_t stored[CP290TimerRecordCount][CP290TimerRecordSize];
    std::memset(stored, CP290EmptyRecordMark, sizeof stored);
    for (std::size_t number = 0; number < records.size() && number < CP290TimerRecordCount; ++number)
        std::memcpy(stored[number], records[number].data(), CP290TimerRecordSize);
    const std::optional<std::string> lines = storedEventLines(stored);
    return lines && !lines->empty() ? *lines : "None.\n";
}
