#include "driver/DeviceCommandTexts.h"

#include <cstdio>

std::string clockReportText(int hour, int minute)
{
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    char text[64];
    std::snprintf(text, sizeof text, "The CP290 reports the clock as %d:%02d %s.", hour12, minute % 100,
                  hour < 12 ? "AM" : "PM");
    return text;
}
