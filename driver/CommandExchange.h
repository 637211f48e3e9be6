#pragma once

#include <cstdint>

// The command codes of the CP290 and the one framed exchange that carries each of them.

enum CP290Command : uint8_t {
    CP290SetBaseHouseCode = 0,
    CP290DirectCommand = 1,
    CP290SetClock = 2,
    CP290StoreTimerRecord = 3,
    CP290ReportClock = 4,
    CP290UploadTimerRecords = 5,
    CP290RunSelfTest = 7,
};

inline constexpr int CP290TimerRecordCount = 128;
inline constexpr int CP290TimerRecordSize = 10;
inline constexpr uint8_t CP290EmptyRecordMark = 0xFF;

// Mode byte (byte 2) of a timer record.
inline constexpr uint8_t CP290ModeNormal = 0x08;    // every week on the days of the day bitmap
inline constexpr uint8_t CP290ModeSecurity = 0x09;  // the same, in security mode
inline constexpr uint8_t CP290ModeToday = 0x04;     // once, today
inline constexpr uint8_t CP290ModeTomorrow = 0x02;  // once, tomorrow

// Reply data of command 4.
extern uint8_t gMinute;
extern uint8_t gHour;
extern uint8_t gBaseHouseCode;
// Bytes 0 and 1 of a record are its address on download; bytes 2 to 9 are the CP290's own record.
extern uint8_t CP290TimerEvent[CP290TimerRecordCount][CP290TimerRecordSize];

// Frames `command` with its payload, waits for the acknowledgement and reply data, tries up to
// three times, reports progress and a final failure, and closes the link while CP290Close is 1.
bool SendCP290Command(uint8_t command, const uint8_t *payload, int16_t length);
