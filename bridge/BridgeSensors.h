#pragma once

#include "model/Records.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the bridge's sensors show, from the remembered modules and the week's schedule.
struct SensorReadings {
    std::string nextEvent = "None";  // "Porch Light: Turn On @ 04:31 PM"
    std::string nextEventAttributes = "{}";  // JSON: "at" (timestamp), "module", "event" (its full description)
    std::string recordsToday = "0";  // records the CP290 holds today, of 128
    std::string lastDownload = "None";  // a timestamp; "None" is unknown to Home Assistant

    bool operator==(const SensorReadings &) const = default;
};

SensorReadings sensorReadings(const std::vector<Module> &modules, const ClassicEventRepeat &repeat, uint32_t now,
                              std::optional<uint32_t> lastDownload);

// Date seconds as an ISO 8601 timestamp with the local offset of that moment:
// "2026-12-07T00:01:00-05:00".
std::string isoTimestamp(uint32_t dateSeconds);
