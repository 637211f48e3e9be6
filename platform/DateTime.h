#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// Local-time seconds since midnight at the start of 1 January 1904, every day 86400 seconds.
// Date seconds carry a date at midnight; time-of-day seconds carry a time on the all-zero date.
struct DateTimeRec {
    int16_t year = 0;       // full year
    int16_t month = 0;      // 1-12
    int16_t day = 0;        // 1-31
    int16_t hour = 0;       // 0-23
    int16_t minute = 0;
    int16_t second = 0;
    int16_t dayOfWeek = 0;  // 1 Sunday to 7 Saturday
};

inline constexpr uint32_t SecondsPerDay = 86400;

// The base of time-of-day seconds: DateToSeconds of the all-zero date. It lies one whole day after
// the epoch, so that a sun time moved before midnight by an offset stays above zero and compares
// earlier than every time of the day, and one moved past midnight compares later.
inline constexpr uint32_t TimeOfDayBase = SecondsPerDay;

// Days from 1 January 1904 to a civil date (proleptic Gregorian; months outside 1 to 12 carried
// into the year), and the date and day of week of such a day number.
int64_t daysFromEpoch(int64_t year, int64_t month, int64_t day);
void civilFromEpochDays(int64_t days, DateTimeRec *date);
int daysInMonth(int year, int month);

// A record of the given fields, the day of week left 0.
DateTimeRec makeDateTimeRec(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

uint32_t DateToSeconds(const DateTimeRec &date);
// The seconds of a date and time, or nothing when they lie outside what date seconds hold:
// 1904-01-01 00:00:00 to 2040-02-06 06:28:15. Past that, DateToSeconds wraps round to 1904.
std::optional<uint32_t> dateSecondsWithinRange(const DateTimeRec &date);
// The midnight that begins the day of date seconds.
inline uint32_t midnightOf(uint32_t moment)
{
    return moment - moment % SecondsPerDay;
}

// The midnight of the last day date seconds reach: 2040-02-06.
inline constexpr uint32_t LastDayMidnight = 0xFFFFFFFFu - 0xFFFFFFFFu % SecondsPerDay;
void SecondsToDate(uint32_t seconds, DateTimeRec *date);

// Whether the computer's clock (`now`, from time()) lies past 2040-02-06 06:28:15 local time, where
// date seconds end: GetDateTime() would then wrap round to 1904.
bool clockPastLastDay(int64_t now);

// The current local date and time as seconds. It reads one replaceable source, so that tests and
// the command line's --now never depend on the wall clock.
uint32_t GetDateTime();
using DateTimeSource = std::function<uint32_t()>;
void setDateTimeSource(DateTimeSource source);  // an empty source restores the system clock

// While it lives, the current date and time is `moment`; the source in use before comes back after.
class ScopedMoment {
public:
    explicit ScopedMoment(uint32_t moment);
    ~ScopedMoment();
    ScopedMoment(const ScopedMoment &) = delete;
    ScopedMoment &operator=(const ScopedMoment &) = delete;

private:
    DateTimeSource previous;
};

// The minute of the day, 0 to 1439, of date or time-of-day seconds.
inline int minuteOfDay(uint32_t seconds)
{
    return static_cast<int>(seconds / 60 % (24 * 60));
}

// The hour of a 12-hour clock for an hour 0 to 23: 12 for 0 and 12.
inline int twelveHourClockHour(int hour)
{
    return hour % 12 == 0 ? 12 : hour % 12;
}

// "%a %m/%d/%y %I:%M %p" in English whatever the process locale, e.g. "Fri 12/04/26 02:15 PM".
std::string formatListingDateTime(const DateTimeRec &date);

// "Sun" to "Sat", in English whatever the process locale.
const char *shortWeekdayName(const DateTimeRec &date);

// "YYYY-MM-DD" and "YYYY-MM-DD HH:MM", as the command line reads and writes moments.
std::string formatIsoDate(const DateTimeRec &date);
std::string formatIsoDateTime(const DateTimeRec &date);
