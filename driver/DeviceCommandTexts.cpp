#include "driver/DeviceCommandTexts.h"

#include "platform/DateTime.h"

#include <cstdio>

std::string clockReportText(int hour, int minute)
{
    const int hour12 = twelveHourClockHour(hour);
    char text[64];
    std::snprintf(text, sizeof text, "The CP290 reports the clock as %d:%02d %s.", hour12, minute % 100,
                  hour < 12 ? "AM" : "PM");
    return text;
}
