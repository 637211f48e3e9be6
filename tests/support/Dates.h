#pragma once

#include "platform/DateTime.h"

// Local-time seconds of a moment, as GetDateTime gives them.
inline uint32_t secondsAt(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return DateToSeconds(makeDateTimeRec(year, month, day, hour, minute, second));
}
