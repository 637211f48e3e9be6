#pragma once

#include <array>
#include <cstdint>
#include <string>

// How a CP290 keeps and fires its timer records by its own clock. Written from the box's protocol
// tables, independently of the driver that programs it.

// One stored record as the box keeps it: mode, day map, hour, minute, units 1-8, units 9-16,
// house byte, function byte. Mode 0xFF marks an empty slot.
using StoredTimerRecord = std::array<uint8_t, 8>;

namespace StoredRecordByte {
enum : int { Mode, Days, Hour, Minute, Units1To8, Units9To16, House, Function };
}

namespace BoxMode {
enum : uint8_t { Tomorrow = 0x02, Today = 0x04, Normal = 0x08, Security = 0x09, Empty = 0xFF };
}

// The box's clock: weekday 0 Monday to 6 Sunday, the same order as its day map's bits.
struct BoxTime {
    int weekday = 0;
    int hour = 0;
    int minute = 0;
};

// Whether `record` fires at `time`. A security record fires a varying number of minutes (0 to 59)
// after its own time, on the days of its day map, carried into the next day when it passes
// midnight; the delays are the ones drawn for today and for yesterday.
bool recordFiresAt(const StoredTimerRecord &record, const BoxTime &time, int securityDelayToday,
                   int securityDelayYesterday);

// At midnight the records for today have been used up and those for tomorrow now apply today.
void startNewDay(StoredTimerRecord &record);

// What the box does when a record fires or a direct command arrives, e.g. "A3,12 on" or
// "B all lights on" or "C5 dim 50%".
std::string describeSwitching(uint8_t house, uint8_t units1To8, uint8_t units9To16, uint8_t function);

// "Mon 19:05".
std::string describeBoxTime(const BoxTime &time);
