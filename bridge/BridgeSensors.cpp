#include "bridge/BridgeSensors.h"

#include "document/EventDescription.h"
#include "document/WeekSchedule.h"
#include "platform/DateTime.h"
#include "platform/JsonText.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

std::string clockText(int minute)
{
    char text[16];
    const int hour = minute / 60;
    std::snprintf(text, sizeof text, "%02d:%02d %s", twelveHourClockHour(hour), minute % 60, hour < 12 ? "AM" : "PM");
    return text;
}

// The first mark of the day after `afterMinute`, by time.
std::optional<ScheduleMark> firstMarkAfter(const ScheduledDay &day, int afterMinute)
{
    std::optional<ScheduleMark> first;
    for (const ScheduleMark &mark : day.marks)
        if (mark.minute > afterMinute && (!first || mark.minute < first->minute))
            first = mark;
    return first;
}

}  // namespace

std::string isoTimestamp(uint32_t dateSeconds)
{
    DateTimeRec date;
    SecondsToDate(dateSeconds, &date);
    std::tm local {};
    local.tm_year = date.year - 1900;
    local.tm_mon = date.month - 1;
    local.tm_mday = date.day;
    local.tm_hour = date.hour;
    local.tm_min = date.minute;
    local.tm_sec = date.second;
    local.tm_isdst = -1;
    const std::time_t moment = std::mktime(&local);
    std::tm zoned {};
    localtime_r(&moment, &zoned);
    const long offset = zoned.tm_gmtoff / 60;
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02ld:%02ld", date.year, date.month, date.day, date.hour,
                  date.minute, date.second, offset < 0 ? '-' : '+', std::labs(offset) / 60, std::labs(offset) % 60);
    return text;
}

SensorReadings sensorReadings(const std::vector<Module> &modules, const ClassicEventRepeat &repeat, uint32_t now,
                              std::optional<uint32_t> lastDownload)
{
    SensorReadings readings;
    if (lastDownload)
        readings.lastDownload = isoTimestamp(*lastDownload);
    const std::vector<ScheduledDay> days = weekSchedule(modules, repeat, now, 2);
    if (days.empty())
        return readings;
    readings.recordsToday = std::to_string(days.front().records.size());
    for (std::size_t d = 0; d < days.size(); ++d) {
        const auto mark = firstMarkAfter(days[d], d == 0 ? minuteOfDay(now) : -1);
        if (!mark)
            continue;
        const Module &module = modules[static_cast<std::size_t>(mark->module)];
        const Event &event = module.events[static_cast<std::size_t>(mark->event)];
        readings.nextEvent = module.name + ": Turn " + eventOnOffText(event) + eventBrightnessText(event) + " @ " + clockText(mark->minute);
        readings.nextEventAttributes = jsonObject({{"at", jsonString(isoTimestamp(days[d].midnight + static_cast<uint32_t>(mark->minute) * 60))},
                                                   {"module", jsonString(module.name)},
                                                   {"event", jsonString(eventDescription(event))}});
        break;
    }
    return readings;
}
