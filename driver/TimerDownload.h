#pragma once

#include "model/Records.h"
#include "platform/DateTime.h"
#include "sun/SunriseSunset.h"

#include <cstdint>
#include <optional>

// Turns the document's events into the CP290's timer records for the current day and sends them.
// Call CP290DoSendEventStart once, CP290DoSendEvent for every event, then CP290DoSendEventEnd.

inline constexpr char TooManyEventsTitle[] = "Too many events specified";
inline constexpr char TooManyEventsMessage[] =
    "A maximum of 128 events can be specified.  The events cannot be sent to the CP290.";

// How many of CP290TimerEvent's records the events so far have filled.
extern uint16_t NumEvents;

// The day a download is made for: what the day rule of an event is read against.
struct DownloadDay {
    uint32_t midnight;   // date seconds of today's local midnight
    uint32_t timeOfDay;  // now, as time-of-day seconds
    int dayOfMonth;      // 1 to 31, for even and odd days
    SunTimes sun;        // today's sunrise and sunset
};
DownloadDay downloadDayAt(uint32_t now, SunTimes sun);

inline constexpr uint8_t CP290NoRecord = 0;
// The event's time of day on that day; nothing for a sun event on a day without sunrise and sunset.
std::optional<uint32_t> eventTimeOfDay(const Event &event, const DownloadDay &day);
// The mode of the event's record on that day (normal, security, today or tomorrow), or
// CP290NoRecord when it gives none.
uint8_t modeOf(const Event &event, const DownloadDay &day);

// The weekdays of an event's weekly record, as the record's day map holds them.
uint8_t recordDayMap(const Event &event);
// Whether a module at `house` and `unit` is sent records for `event` at all: a module the wire can
// address, and never an off for "All Lights", which the CP290 can only switch on.
bool sendsRecords(int house, int unit, const Event &event);
// Whether a record of this mode and day map switches its module on `day`: a record for today does,
// a weekly one on the weekdays of its map; one for tomorrow is replaced by the next download first.
bool recordFiresOn(uint8_t mode, uint8_t dayMap, const DownloadDay &day);

// Forgets the records built so far and takes now, today, tomorrow, sunrise and sunset.
void CP290DoSendEventStart();
// Adds the records of one event of the module at `house` (0 to 15) and `unit` (1 to 18). False
// only when the 128 records are used up, after the "Too many events specified" alert.
bool CP290DoSendEvent(uint8_t house, uint8_t unit, const Event *event, const ClassicEventRepeat *repeat);
// Sets the CP290's clock, erases its records and stores the new ones; false when a command failed.
bool CP290DoSendEventEnd();
// The share of the bar each command of a download of `records` records takes: the whole-number
// quotient of the full scale by the records and the three set-up commands.
double downloadProgressBudget(int records);
