#pragma once

#include "model/Records.h"
#include "platform/DateTime.h"

#include <string>

// A module of a large made-up house: the index-th, with `events` clock events alternately on and
// off, at times and levels that vary with both.
inline Module benchModule(int index, int events)
{
    Module module;
    module.houseCode = index % 16;
    module.unit = index % 16 + 1;
    module.type = ModuleTypeLight;
    module.name = "Module " + std::to_string(index + 1);
    for (int e = 0; e < events; ++e) {
        Event event;
        event.Flags = static_cast<uint16_t>(EventClockTime | EventAllDays | (e % 2 ? 0 : EventOn));
        event.Time = DateToSeconds(makeDateTimeRec(0, 0, 0, (index + e) % 24, e * 5));
        event.Brightness = static_cast<uint16_t>(e % 9 + 1);
        module.events.push_back(event);
    }
    return module;
}
