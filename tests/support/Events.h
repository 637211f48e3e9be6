#pragma once

#include "model/Records.h"
#include "platform/DateTime.h"

// Events as a test writes them: clock time, flags, and the fields that matter for the case.
inline uint32_t timeOfDay(int hour, int minute)
{
    return DateToSeconds(makeDateTimeRec(0, 0, 0, hour, minute));
}

inline Event clockEvent(uint16_t flags, int hour, int minute, uint16_t brightness = 9)
{
    Event event;
    event.Flags = static_cast<uint16_t>(flags | EventClockTime);
    event.Time = timeOfDay(hour, minute);
    event.Brightness = brightness;
    return event;
}

inline Module module(int house, int unit, std::vector<Event> events, int type = ModuleTypeLight)
{
    Module m;
    m.houseCode = house;
    m.unit = unit;
    m.type = type;
    m.events = std::move(events);
    return m;
}
