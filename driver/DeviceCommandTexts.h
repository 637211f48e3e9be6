#pragma once

#include <string>

// The titles and messages with which the device commands report, the same from the CP290 menu
// and from the command line. Their spellings ("CP290 Not Responding", "Self Test OK") are what
// users and their scripts already know, and stay as they are.

inline constexpr char NoSerialDeviceTitle[] = "No Serial Device";
inline constexpr char NoSerialDeviceMessage[] =
    "No serial device has been found.  Please make sure you have selected a serial device under the CP290 menu "
    "and recheck your connections.";

inline constexpr char BaseHouseCodeSetTitle[] = "Base House Code Set";
inline constexpr char BaseHouseCodeSetMessage[] = "The Base House Code was set sucessfully.  Your events have been erased.";
inline constexpr char BaseHouseCodeFailedTitle[] = "Setting Base House Code Failed";

inline constexpr char SelfTestOKTitle[] = "Self Test OK";
inline constexpr char SelfTestOKMessage[] = "The self test completed sucessfully.  Your events have been erased.";
inline constexpr char SelfTestFailedTitle[] = "Self Test Failed";

inline constexpr char SettingClockFailedTitle[] = "Setting Clock Failed";

inline constexpr char ClockFromCP290Title[] = "Clock From CP290";
inline constexpr char GettingClockFailedTitle[] = "Getting Clock Failed";
inline constexpr char GettingEventsFailedTitle[] = "Getting Events From CP290 Failed";

// "The CP290 reports the clock as 7:05 PM." for hour 19 and minute 5.
std::string clockReportText(int hour, int minute);
