#pragma once

#include "platform/DateTime.h"

inline DateTimeRec dateTimeRec(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    DateTimeRec rec;
    rec.year = static_cast<int16_t>(year);
    rec.month = static_cast<int16_t>(month);
    rec.day = static_cast<int16_t>(day);
    rec.hour = static_cast<int16_t>(hour);
    rec.minute = static_cast<int16_t>(minute);
    rec.second = static_cast<int16_t>(second);
    return rec;
}

// Local-time seconds of a moment, as GetDateTime gives them.
inline uint32_t secondsAt(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return DateToSeconds(dateTimeRec(year, month, day, hour, minute, second));
}
