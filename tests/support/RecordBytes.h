#pragma once

#include "driver/CommandExchange.h"
#include "driver/TimerDownload.h"
#include "tools/emulator/CP290Emulator.h"

#include <cstdint>
#include <vector>

// Timer records as the bytes a CP290 stores of them (record bytes 2 to 9), to compare what a
// download computed with what the box holds.

// What the driver's buffer holds after an encoding.
inline std::vector<std::vector<uint8_t>> encodedRecordBytes()
{
    std::vector<std::vector<uint8_t>> records;
    for (int n = 0; n < NumEvents; ++n)
        records.emplace_back(CP290TimerEvent[n] + 2, CP290TimerEvent[n] + 10);
    return records;
}

// What the emulated box holds.
inline std::vector<std::vector<uint8_t>> storedRecordBytes(const CP290Emulator &box)
{
    std::vector<std::vector<uint8_t>> records;
    for (int n = 0; n < box.storedRecordCount(); ++n) {
        const auto record = box.storedRecord(n);
        records.emplace_back(record.begin(), record.end());
    }
    return records;
}
