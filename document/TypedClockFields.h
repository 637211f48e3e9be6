#pragma once

#include <optional>
#include <string>

// What the event editor's time and date fields take from the keyboard. A person types a whole
// time or date ("7:05 AM", "19:05", "7:05p", "12/24/2026") rather than walking its parts, and it
// is taken or refused whole; arrow keys step the part the caret is in.

struct ClockTime {
    int hour = 0;    // 0 to 23
    int minute = 0;  // 0 to 59
    friend bool operator==(const ClockTime &, const ClockTime &) = default;
};

struct CalendarDay {
    int year = 0, month = 0, day = 0;
    friend bool operator==(const CalendarDay &, const CalendarDay &) = default;
};

// A time as the outline's event text reads one, the whole text: "7:05 AM", "7:05a", "19:05",
// "7 pm", "12:30 AM" (0:30), "0:30 am", "7:5"; the hour with the designator read as the outline
// reads it, 0 to 23 in the end; minutes 0 to 59.
std::optional<ClockTime> clockTimeFromText(const std::string &text);
std::string clockTimeText(ClockTime time);  // "7:05 PM"

// The days a document's dates can name: what date seconds hold.
inline constexpr CalendarDay FirstDocumentDay {1904, 1, 1};
inline constexpr CalendarDay LastDocumentDay {2040, 2, 6};
bool withinDocumentDays(CalendarDay day);

// "12/24/2026", "12-24-2026", "12/24/26" (two-digit years are this century's), a real day from
// 1904-01-01 to 2040-02-06.
std::optional<CalendarDay> calendarDayFromText(const std::string &text);
std::string calendarDayText(CalendarDay day);  // "12/24/2026"

// An arrow key in a field: the part the caret stands in (the hour before the colon, the minutes
// after it; the month, day or year) moved by `steps`, the rest carried as a clock or calendar does.
// A step that would leave the days a document can name leaves the day as it was.
ClockTime steppedClockTime(ClockTime time, const std::string &text, int caret, int steps);
CalendarDay steppedCalendarDay(CalendarDay day, const std::string &text, int caret, int steps);
