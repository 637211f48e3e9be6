#include "document/Records.h"

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
    DateTimeRec time;
    time.hour = calendarDate.hour;
    time.minute = calendarDate.minute;
    time.second = calendarDate.second;
    return DateToSeconds(time);
}

uint32_t NSCalendarDateDateToSeconds(const DateTimeRec &calendarDate)
{
    DateTimeRec date;
    date.year = calendarDate.year;
    date.month = calendarDate.month;
    date.day = calendarDate.day;
    return DateToSeconds(date);
}

DateTimeRec SecondsToNSCalendarDate(uint32_t seconds)
{
    DateTimeRec date;
    SecondsToDate(seconds, &date);
    return date;
}
