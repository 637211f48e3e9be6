#include "model/Records.h"

#include <cstring>

std::vector<uint8_t> eventBytes(const Event &event)
{
    std::vector<uint8_t> bytes(EventRecordSize);
    std::memcpy(bytes.data(), &event, EventRecordSize);
    return bytes;
}

Event eventFromBytes(const uint8_t (&bytes)[EventRecordSize])
{
    Event event;
    std::memcpy(&event, bytes, EventRecordSize);
    return event;
}

Event defaultEvent(uint32_t now)
{
    DateTimeRec today;
    SecondsToDate(now, &today);
    Event event;
    event.Brightness = 9;
    event.Date = NSCalendarDateDateToSeconds(today);
    event.Adjust = 0;
    event.Repeat = 0;
    event.Flags = EventAllDays | EventClockTime;
    event.Time = NSCalendarDateTimeToSeconds(today);
    return event;
}

uint32_t NSCalendarDateTimeToSeconds(const DateTimeRec &calendarDate)
{
    return DateToSeconds(makeDateTimeRec(0, 0, 0, calendarDate.hour, calendarDate.minute, calendarDate.second));
}

uint32_t NSCalendarDateDateToSeconds(const DateTimeRec &calendarDate)
{
    return DateToSeconds(makeDateTimeRec(calendarDate.year, calendarDate.month, calendarDate.day));
}

DateTimeRec SecondsToNSCalendarDate(uint32_t seconds)
{
    DateTimeRec date;
    SecondsToDate(seconds, &date);
    return date;
}
