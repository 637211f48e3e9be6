#include "driver/TimerDownload.h"

#include "driver/CommandExchange.h"
#include "driver/DeviceOperations.h"
#include "driver/SerialLink.h"
#include "platform/Alerts.h"
#include "platform/StatusHooks.h"
#include "platform/StopRequest.h"
#include "sun/SunriseSunset.h"

uint16_t NumEvents = 0;

namespace {

// The day the download under way is made for, taken when it starts.
DownloadDay Today {};

struct RecordFields {
    uint8_t mode, days, units1to8, units9to16, house, function;
};

void dropTimeOfDay(DateTimeRec &date)
{
    date.hour = date.minute = date.second = 0;
}

void dropDate(DateTimeRec &date)
{
    date.year = date.month = date.day = 0;
}

uint8_t functionOf(uint8_t unit, const Event &event)
{
    if (unit == CP290AllLightsUnit)
        return CP290FunctionAllLightsOn;
    if (unit == CP290AllModulesUnit)
        return CP290FunctionAllModulesOff;
    // Whatever a file says of its level, an off event only ever switches off.
    if (!event.has(EventOn))
        return CP290FunctionOff;
    if (event.Brightness >= 1 && event.Brightness <= 8)
        return CP290LevelBytes[event.Brightness];
    return CP290FunctionOn;
}

void reportTooManyEvents()
{
    if (CP290Verbose)
        requestAlert(TooManyEventsTitle, TooManyEventsMessage);
}

// Adds `count` records a minute apart from `eventTime`, merged into any record that differs only
// in its units.
bool addRecords(const RecordFields &fields, uint32_t eventTime, int count)
{
    for (int k = 0; k < count; ++k) {
        DateTimeRec when;
        SecondsToDate(eventTime + 60 * k, &when);
        const auto hour = static_cast<uint8_t>(when.hour), minute = static_cast<uint8_t>(when.minute);

        bool merged = false;
        for (int n = 0; n < NumEvents && !merged; ++n) {
            uint8_t *record = CP290TimerEvent[n];
            if (record[9] == fields.function && record[8] == fields.house && record[5] == minute
                && record[4] == hour && record[3] == fields.days && record[2] == fields.mode) {
                record[6] |= fields.units1to8;
                record[7] |= fields.units9to16;
                merged = true;
            }
        }
        if (merged)
            continue;
        if (NumEvents == CP290TimerRecordCount) {
            reportTooManyEvents();
            return false;
        }
        const unsigned address = NumEvents * 8u;
        uint8_t *record = CP290TimerEvent[NumEvents];
        record[0] = static_cast<uint8_t>(address & 0xFF);
        record[1] = static_cast<uint8_t>(address >> 8);
        record[2] = fields.mode;
        record[3] = fields.days;
        record[4] = hour;
        record[5] = minute;
        record[6] = fields.units1to8;
        record[7] = fields.units9to16;
        record[8] = fields.house;
        record[9] = fields.function;
        ++NumEvents;
    }
    return true;
}

}  // namespace

DownloadDay downloadDayAt(uint32_t now, SunTimes sun)
{
    DateTimeRec date;
    SecondsToDate(now, &date);
    DateTimeRec time = date;
    dropTimeOfDay(date);
    dropDate(time);
    return {DateToSeconds(date), DateToSeconds(time), date.day, sun};
}

std::optional<uint32_t> eventTimeOfDay(const Event &event, const DownloadDay &day)
{
    if (event.has(EventClockTime)) {
        DateTimeRec time;
        SecondsToDate(event.Time, &time);
        dropDate(time);
        return DateToSeconds(time);
    }
    const uint32_t sunTime = event.has(EventSunrise) ? day.sun.sunrise : day.sun.sunset;
    if (sunTime == SunNeverRisesOrSets)
        return std::nullopt;
    return event.has(EventOffsetMinus) ? sunTime - event.Adjust : sunTime + event.Adjust;
}

namespace {

// A record for today while the time is still to come; once it has passed, a dated event that
// repeats every day is due again tomorrow.
uint8_t todayCheck(const Event &event, const DownloadDay &day, uint32_t eventTime)
{
    if (day.timeOfDay < eventTime)
        return CP290ModeToday;
    if (event.dayRule() == EventOnDate && event.Repeat == 1)
        return CP290ModeTomorrow;
    return CP290NoRecord;
}

uint8_t datedMode(const Event &event, const DownloadDay &day, uint32_t eventTime)
{
    DateTimeRec date;
    SecondsToDate(event.Date, &date);
    dropTimeOfDay(date);
    const uint32_t eventMidnight = DateToSeconds(date), tomorrow = day.midnight + SecondsPerDay;
    if (eventMidnight == day.midnight)
        return todayCheck(event, day, eventTime);
    if (eventMidnight == tomorrow)
        return CP290ModeTomorrow;
    if (eventMidnight > tomorrow || event.Repeat == 0)
        return CP290NoRecord;
    const uint32_t daysSince = (day.midnight - eventMidnight) / SecondsPerDay;
    const uint32_t intoRepeat = daysSince % event.Repeat;
    if (intoRepeat == 0)
        return todayCheck(event, day, eventTime);
    if (event.Repeat - intoRepeat == 1)
        return CP290ModeTomorrow;
    return CP290NoRecord;
}

}  // namespace

uint8_t modeOf(const Event &event, const DownloadDay &day)
{
    const std::optional<uint32_t> eventTime = eventTimeOfDay(event, day);
    if (!eventTime)
        return CP290NoRecord;
    switch (event.dayRule()) {
    case EventDaysOfWeek:
        return event.has(EventSecurity) ? CP290ModeSecurity : CP290ModeNormal;
    case EventOnDate:
        return datedMode(event, day, *eventTime);
    case EventEvenDays:
        return day.dayOfMonth % 2 == 0 ? todayCheck(event, day, *eventTime) : CP290NoRecord;
    default:
        return day.dayOfMonth % 2 == 1 ? todayCheck(event, day, *eventTime) : CP290NoRecord;
    }
}

uint8_t recordDayMap(const Event &event)
{
    return static_cast<uint8_t>((event.Flags & EventAllDays) >> 8);
}

bool sendsRecords(int house, int unit, const Event &event)
{
    if (house < 0 || house > 15 || unit < 1 || unit > CP290AllModulesUnit)
        return false;  // no such module on the wire
    return unit != CP290AllLightsUnit || event.has(EventOn);
}

bool recordFiresOn(uint8_t mode, uint8_t dayMap, const DownloadDay &day)
{
    if (mode == CP290ModeToday)
        return true;
    DateTimeRec date;
    SecondsToDate(day.midnight, &date);
    return (mode == CP290ModeNormal || mode == CP290ModeSecurity) && (dayMap & CP290DayBitOfDayOfWeek(date.dayOfWeek));
}

void CP290DoSendEventStart()
{
    NumEvents = 0;
    SetRiseSetTimes();
    Today = downloadDayAt(GetDateTime(), {gSunriseTime, gSunsetTime});
}

bool CP290DoSendEvent(uint8_t house, uint8_t unit, const Event *event, const ClassicEventRepeat *repeat)
{
    if (!sendsRecords(house, unit, *event))
        return true;
    // On a day without both sunrise and sunset a sun event has no time, and so no record.
    const uint8_t mode = modeOf(*event, Today);
    if (mode == CP290NoRecord)
        return true;
    const uint32_t eventTime = *eventTimeOfDay(*event, Today);

    RecordFields fields {mode, recordDayMap(*event), 0, 0,
                         CP290HouseCodeBytes[house], functionOf(unit, *event)};
    if (unit <= 8)
        fields.units1to8 = static_cast<uint8_t>(1 << (8 - unit));
    else if (unit <= 16)
        fields.units9to16 = static_cast<uint8_t>(1 << (16 - unit));
    const int count = event->has(EventOn) ? repeat->OnRepeat : repeat->OffRepeat;

    if (!addRecords(fields, eventTime, count))
        return false;
    if (mode == CP290ModeToday && event->has(EventRepeatDays) && event->Repeat == 1) {
        fields.mode = CP290ModeTomorrow;
        return addRecords(fields, eventTime, count);
    }
    return true;
}

double downloadProgressBudget(int records)
{
    return static_cast<double>(static_cast<int>(StatusProgressFullScale) / (records + 3));
}

bool CP290DoSendEventEnd()
{
    const int n = NumEvents;
    if (n == 0) {
        if (CP290FileDescriptor != -1)
            closeCP290();
        return true;
    }
    gProgressBudget = downloadProgressBudget(n);
    CP290Close = 0;
    const auto stop = [](bool result) {
        CP290Close = 1;
        if (CP290FileDescriptor != -1)
            closeCP290();
        return result;
    };

    if (!CP290DoSetClock() || !SendCP290Command(CP290ReportClock, nullptr, 0))
        return stop(false);
    const uint8_t baseHouseCode[1] = {gBaseHouseCode};
    if (!SendCP290Command(CP290SetBaseHouseCode, baseHouseCode, sizeof baseHouseCode))
        return stop(false);
    for (int record = 0; record < n; ++record) {
        if (stopRequested() || !SendCP290Command(CP290StoreTimerRecord, CP290TimerEvent[record], CP290TimerRecordSize))
            return stop(false);
        advanceStatusProgress(gProgressBudget);
    }
    return stop(true);
}
