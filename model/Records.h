#pragma once

#include "platform/DateTime.h"

#include <cstdint>
#include <string>
#include <vector>

// The vocabulary of a module document: modules, their timer events and the repeat counts.

// Masks of Event::Flags.
inline constexpr uint16_t EventDaysMask = 0x0003;     // the day rule, one of the four below
inline constexpr uint16_t EventRepeatDays = 0x0004;   // with EventOnDate: every Repeat days after Date
inline constexpr uint16_t EventSunrise = 0x0008;
inline constexpr uint16_t EventSunset = 0x0010;
inline constexpr uint16_t EventClockTime = 0x0020;
inline constexpr uint16_t EventSecurity = 0x0040;
inline constexpr uint16_t EventOffsetMinus = 0x0080;  // Adjust is subtracted from sunrise or sunset
inline constexpr uint16_t EventMonday = 0x0100;
inline constexpr uint16_t EventTuesday = 0x0200;
inline constexpr uint16_t EventWednesday = 0x0400;
inline constexpr uint16_t EventThursday = 0x0800;
inline constexpr uint16_t EventFriday = 0x1000;
inline constexpr uint16_t EventSaturday = 0x2000;
inline constexpr uint16_t EventSunday = 0x4000;
inline constexpr uint16_t EventAllDays = 0x7F00;
inline constexpr uint16_t EventOn = 0x8000;

// Values of Flags & EventDaysMask.
inline constexpr uint16_t EventDaysOfWeek = 0;
inline constexpr uint16_t EventOnDate = 1;
inline constexpr uint16_t EventEvenDays = 2;
inline constexpr uint16_t EventOddDays = 3;

// The 20-byte timer event, fields in the machine's own order.
struct Event {
    uint32_t Date = 0;        // date seconds of the local midnight of a dated event
    uint32_t Time = 0;        // time-of-day seconds of a clock-time event
    uint32_t Adjust = 0;      // magnitude of the offset from sunrise or sunset, in seconds
    uint16_t Brightness = 9;  // 1 to 8 dim to that many eighths; 9 plain on or off
    uint16_t Repeat = 0;      // the N of "every N days"
    uint16_t Flags = 0;
    uint8_t padding[2] = {0, 0};  // never read; kept as found

    uint16_t dayRule() const { return Flags & EventDaysMask; }
    bool has(uint16_t flag) const { return (Flags & flag) != 0; }
    friend bool operator==(const Event &, const Event &) = default;
};
static_assert(sizeof(Event) == 20, "an Event is the 20-byte record of the document file");

inline constexpr std::size_t EventRecordSize = 20;

// The twenty bytes of an event in the machine's own order (as the clipboard and the user defaults
// carry them), and back.
std::vector<uint8_t> eventBytes(const Event &event);
Event eventFromBytes(const uint8_t (&bytes)[EventRecordSize]);

// How many consecutive minutes each on and each off event is sent at.
struct ClassicEventRepeat {
    uint8_t OnRepeat = 1;
    uint8_t OffRepeat = 1;
    friend bool operator==(const ClassicEventRepeat &, const ClassicEventRepeat &) = default;
};

inline constexpr int ModuleTypeAppliance = 0;
inline constexpr int ModuleTypeLight = 1;
inline constexpr int ModuleTypeNone = 2;  // the type of the "All Lights" and "All Modules" units

// A module record, a value: an edit takes a copy, changes it and puts it back at its index.
// The members carry the record's keys "C", "#", "T", "N", "Events" and "X".
struct Module {
    int64_t houseCode = 0;  // "C": 0 to 15 for A to P
    int64_t unit = 1;       // "#": 1 to 16, 17 all lights, 18 all modules
    int64_t type = ModuleTypeAppliance;  // "T"
    std::string name = "New Module";     // "N"
    std::vector<Event> events;           // "Events"
    bool expanded = false;               // "X"
    friend bool operator==(const Module &, const Module &) = default;
};

// The template of every new event: every day at the current clock time, off, no dimming.
Event defaultEvent(uint32_t now);

// Calendar dates at the toolkit's edge are broken-down local times.
uint32_t NSCalendarDateTimeToSeconds(const DateTimeRec &calendarDate);
uint32_t NSCalendarDateDateToSeconds(const DateTimeRec &calendarDate);
DateTimeRec SecondsToNSCalendarDate(uint32_t seconds);
