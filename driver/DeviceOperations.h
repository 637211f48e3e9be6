#pragma once

#include <cstdint>
#include <string>

// The driver's public verbs; each returns true on success. A failure has already been reported
// by the command exchange, except where said.

// House codes A to P as the CP290's house code bytes (the code in the high four bits).
extern const uint8_t CP290HouseCodeBytes[16];
// Function and level bytes of brightness 1 to 9 (index 0 unused): 1 to 8 dim, 9 plain on.
extern const uint8_t CP290LevelBytes[10];

inline constexpr uint8_t CP290FunctionAllModulesOff = 0x00;
inline constexpr uint8_t CP290FunctionAllLightsOn = 0x01;
inline constexpr uint8_t CP290FunctionOn = 0x02;
inline constexpr uint8_t CP290FunctionOff = 0x03;

inline constexpr int CP290AllLightsUnit = 17;
inline constexpr int CP290AllModulesUnit = 18;

// Day bit of a weekday in the CP290's day map, from a day of week 1 (Sunday) to 7 (Saturday).
uint8_t CP290DayBitOfDayOfWeek(int dayOfWeek);

// Switch or dim now. Refuses, without alert and without touching the link, an off request for
// the "All Lights" unit and a plain on request for the "All Modules" unit.
bool CP290DoOnOffDim(int houseIndex, int unit, uint8_t functionAndLevel);
bool CP290DoGetClock();  // fills gMinute, gHour, gBaseHouseCode
bool CP290DoSetBaseHouseCode(int houseIndex);  // the CP290 erases its stored events
bool CP290DoSetClock();  // to the current local time
bool CP290DoGetEvents();  // fills CP290TimerEvent
bool CP290DoSelfTest();  // erases the stored events; puts back the base house code and the clock

// Appends a dated line to the helper's log file; fails silently. At a megabyte the file moves
// aside to the same name with ".1" (the one old file kept) and a new one begins.
void writeLog(const std::string &message);
inline constexpr long LogRotationSize = 1024 * 1024;
// The log file that writeLog appends to.
std::string helperLogFilePath();
