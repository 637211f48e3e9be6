#include "document/TypedClockFields.h"

#include "document/EventTextParser.h"
#include "platform/DateTime.h"

#include <cctype>
#include <cstdio>
#include <regex>
#include <tuple>

namespace {

std::string trimmed(const std::string &text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

CalendarDay dayOfNumber(int64_t number)
{
    DateTimeRec date;
    civilFromEpochDays(number, &date);
    return {date.year, date.month, date.day};
}

const std::regex &dateShape()
{
    static const std::regex shape(R"(^ *(\d{1,2})([/-])(\d{1,2})\2(\d{2}|\d{4}) *$)");
    return shape;
}

}  // namespace

std::optional<ClockTime> clockTimeFromText(const std::string &text)
{
    Event unused;
    EventTextReader reader(text, unused);
    if (!reader.wholeTextIsTime())
        return std::nullopt;
    return ClockTime {reader.hour(), reader.minute()};
}

std::string clockTimeText(ClockTime time)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d %s", time.hour % 12 == 0 ? 12 : time.hour % 12, time.minute,
                  time.hour < 12 ? "AM" : "PM");
    return text;
}

std::optional<CalendarDay> calendarDayFromText(const std::string &text)
{
    std::smatch parts;
    if (!std::regex_match(text, parts, dateShape()))
        return std::nullopt;
    CalendarDay day {std::stoi(parts[4]), std::stoi(parts[1]), std::stoi(parts[3])};
    if (parts[4].length() == 2)
        day.year += 2000;
    if (day.month < 1 || day.month > 12 || day.day < 1 || day.day > daysInMonth(day.year, day.month)
        || !withinDocumentDays(day))
        return std::nullopt;
    return day;
}

std::string calendarDayText(CalendarDay day)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", day.month, day.day, day.year);
    return text;
}

ClockTime steppedClockTime(ClockTime time, const std::string &text, int caret, int steps)
{
    const auto colon = text.find(':');
    const bool inHour = colon == std::string::npos || caret <= static_cast<int>(colon);
    int minutes = time.hour * 60 + time.minute + steps * (inHour ? 60 : 1);
    minutes = ((minutes % 1440) + 1440) % 1440;
    return {minutes / 60, minutes % 60};
}

CalendarDay steppedCalendarDay(CalendarDay from, const std::string &text, int caret, int steps)
{
    CalendarDay day = from;
    const std::string before = trimmed(text.substr(0, static_cast<std::size_t>(std::max(caret, 0))));
    int separators = 0;
    for (const char c : before)
        separators += c == '/' || c == '-';
    if (separators == 1) {
        const CalendarDay stepped = dayOfNumber(daysFromEpoch(day.year, day.month, day.day) + steps);
        return withinDocumentDays(stepped) ? stepped : from;
    }
    if (separators == 0) {
        const int months = day.year * 12 + day.month - 1 + steps;
        day.year = months / 12;
        day.month = months % 12 + 1;
    } else {
        day.year += steps;
    }
    day.day = std::min(day.day, daysInMonth(day.year, day.month));
    return withinDocumentDays(day) ? day : from;
}

bool withinDocumentDays(CalendarDay day)
{
    const auto pair = [](CalendarDay d) { return std::tuple(d.year, d.month, d.day); };
    return pair(day) >= pair(FirstDocumentDay) && pair(day) <= pair(LastDocumentDay);
}
