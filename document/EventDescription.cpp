#include "document/EventDescription.h"

#include <cstdio>

namespace {

std::string twoDigits(int value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value % 100);
    return text;
}

std::string sunText(const char *kind, const Event &event)
{
    if (event.Adjust == 0)
        return kind;
    const DateTimeRec offset = SecondsToNSCalendarDate(event.Adjust);
    return std::string(kind) + (event.has(EventOffsetMinus) ? "-" : "+") + twoDigits(offset.hour) + ":"
        + twoDigits(offset.minute);
}

}  // namespace

std::string eventOnOffText(const Event &event)
{
    return event.has(EventOn) ? "On" : "Off";
}

std::string eventBrightnessText(const Event &event)
{
    if (event.Brightness == 9)
        return "";
    char text[24];
    std::snprintf(text, sizeof text, " %.1f%%", event.Brightness * 100 * 0.125);
    return text;
}

std::string eventTimeText(const Event &event)
{
    if (event.has(EventSunrise))
        return sunText("Sunrise", event);
    if (event.has(EventSunset))
        return sunText("Sunset", event);
    const DateTimeRec time = SecondsToNSCalendarDate(event.Time);
    const int hour12 = twelveHourClockHour(time.hour);
    return twoDigits(hour12) + ":" + twoDigits(time.minute) + (time.hour < 12 ? " AM" : " PM");
}

std::string eventSecurityText(const Event &event)
{
    return event.has(EventSecurity) ? " (Security) " : "";
}

std::string eventDaysText(const Event &event)
{
    switch (event.dayRule()) {
    case EventDaysOfWeek: {
        if ((event.Flags & EventAllDays) == EventAllDays)
            return "Every Day";
        static const struct { uint16_t bit; char letter; } week[] = {
            {EventSunday, 'S'},   {EventMonday, 'M'}, {EventTuesday, 'T'}, {EventWednesday, 'W'},
            {EventThursday, 'T'}, {EventFriday, 'F'}, {EventSaturday, 'S'}};
        std::string text = "On ";
        for (const auto &day : week)
            text += event.has(day.bit) ? day.letter : '.';
        return text;
    }
    case EventOnDate: {
        const DateTimeRec date = SecondsToNSCalendarDate(event.Date);
        char text[64];
        std::snprintf(text, sizeof text, "On %02d/%02d/%04d", date.month, date.day, date.year);
        std::string days = text;
        if (event.has(EventRepeatDays) && event.Repeat != 0)
            days += " & Every " + std::to_string(event.Repeat) + (event.Repeat == 1 ? " Day" : " Days") + " Thereafter";
        return days;
    }
    case EventEvenDays:
        return "On Even Days";
    default:
        return "On Odd Days";
    }
}

std::string eventDescription(const Event &event)
{
    return "Turn " + eventOnOffText(event) + eventBrightnessText(event) + " @ " + eventTimeText(event)
        + eventSecurityText(event) + " " + eventDaysText(event);
}
