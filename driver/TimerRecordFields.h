#pragma once

#include "driver/CommandExchange.h"

#include <optional>
#include <string>
#include <vector>

// A timer record's bytes 2 to 9 read back into what they mean, for the listing and for readers
// that want fields rather than bytes.
struct TimerRecordFields {
    uint8_t modeByte, dayBits, hour, minute, units1to8, units9to16, houseByte, functionByte;

    char house() const;               // 'A' to 'P', or '?' for a byte that is no house code
    std::vector<int> units() const;   // 1 to 16, in order
    // "all modules off", "all lights on", "on", "off" or "dim"; nothing for a byte the CP290 does not know.
    std::optional<std::string> function() const;
    int brightness() const;           // 1 to 8 for a dim, 9 for on, 0 for off
    std::string mode() const;         // "normal", "security", "today" or "tomorrow"
    std::vector<std::string> days() const;  // "Sun" to "Sat", those the day bits hold
    bool empty() const { return modeByte == CP290EmptyRecordMark; }
};

TimerRecordFields timerRecordFields(const uint8_t (&record)[CP290TimerRecordSize]);

// The record's ten bytes in hexadecimal, a blank between them.
std::string timerRecordHex(const uint8_t (&record)[CP290TimerRecordSize]);
