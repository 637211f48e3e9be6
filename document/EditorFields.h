#pragma once

#include "model/Records.h"
#include "sun/SunriseSunset.h"

#include <string>
#include <vector>

// The event editor's controls as plain values: what they show for an event, and the event they
// say once the user has changed them. The window only copies these to and from its controls.

enum class DaysPage { Weekdays, Date, Nothing };

struct EditorFields {
    bool on = false;
    bool onEnabled = true;
    int brightness = 9;
    bool brightnessEnabled = false;
    bool sunrise = false;
    bool sunset = false;
    uint32_t time = 0;        // time-of-day seconds in the time field: the sun's for a sun event
    uint32_t loadedTime = 0;  // what the field showed when loaded: while untouched, the stored time stays
    bool offsetMinus = false;
    uint32_t offset = 0;      // seconds
    uint16_t dayRule = EventDaysOfWeek;
    uint16_t days = 0;        // the EventSunday to EventSaturday bits
    bool security = false;
    uint32_t date = 0;
    bool repeat = false;
    uint16_t repeatDays = 0;

    bool timeEnabled() const { return !sunrise && !sunset; }
    bool offsetEnabled() const { return sunrise || sunset; }
    bool securityEnabled() const { return dayRule == EventDaysOfWeek; }
    DaysPage daysPage() const;
    bool noDayChosen() const { return dayRule == EventDaysOfWeek && days == 0; }

    friend bool operator==(const EditorFields &, const EditorFields &) = default;
};

// A weekly event on no day: the editor warns of it.
inline bool noDayChosen(const Event &event)
{
    return event.dayRule() == EventDaysOfWeek && (event.Flags & EventAllDays) == 0;
}

// The controls for `event` of `module` on a day with those sun times.
EditorFields editorFieldsOf(const Event &event, const Module &module, SunTimes sun);

// The days part shown for the day rule `rule`, filled from the stored event (as choosing a rule in
// the popup shows what the event holds for it).
EditorFields withDayRule(EditorFields fields, uint16_t rule, const Event &stored);

// A sun switch turned on (`sunrise` or not) or off: the time field shows that sun time.
EditorFields withSunSwitch(EditorFields fields, bool sunrise, bool turnedOn, SunTimes sun);

// The On or Off choice changed: whether the event's brightness may be set, and its level.
EditorFields withSwitch(EditorFields fields, bool on, const Module &module);

// The event the controls say, over the event they were loaded from.
Event eventFromEditor(const EditorFields &fields, Event previous);

// What an edit in the editor changed, named for the Undo menu ("Time", "Brightness", "Days"):
// the first field, in the editor's order, that differs.
std::string eventChangeName(const Event &before, const Event &after);
