#include "platform/DateTime.h"

#include <cstdio>
#include <ctime>

namespace {

DateTimeSource &dateTimeSource()
{
    static DateTimeSource source;
    return source;
}

uint32_t systemDateTime()
{
    const time_t now = time(nullptr);
    struct tm local {};
    localtime_r(&now, &local);
    return DateToSeconds(makeDateTimeRec(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                                         local.tm_min, local.tm_sec));
}

}  // namespace

// Days from 1 January 1904 to the given civil date (proleptic Gregorian), months outside 1-12
// carried into the year as the platform's date utilities do.
int64_t daysFromEpoch(int64_t year, int64_t month, int64_t day)
{
    year += (month - 1) / 12;
    month = (month - 1) % 12 + 1;
    if (month < 1) {
        month += 12;
        --year;
    }
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const int64_t daysFrom1970 = era * 146097 + dayOfEra - 719468;
    return daysFrom1970 + 24107;  // 1 January 1904 is 24107 days before 1 January 1970
}

void civilFromEpochDays(int64_t days, DateTimeRec *date)
{
    const int64_t z = days - 24107 + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t dayOfEra = z - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    const int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const int64_t month = mp < 10 ? mp + 3 : mp - 9;
    date->year = static_cast<int16_t>(yearOfEra + era * 400 + (month <= 2));
    date->month = static_cast<int16_t>(month);
    date->day = static_cast<int16_t>(day);
    date->dayOfWeek = static_cast<int16_t>((days % 7 + 5) % 7 + 1);  // 1 January 1904 was a Friday
}

int daysInMonth(int year, int month)
{
    return static_cast<int>(daysFromEpoch(year, month + 1, 1) - daysFromEpoch(year, month, 1));
}

DateTimeRec makeDateTimeRec(int year, int month, int day, int hour, int minute, int second)
{
    DateTimeRec date;
    date.year = static_cast<int16_t>(year);
    date.month = static_cast<int16_t>(month);
    date.day = static_cast<int16_t>(day);
    date.hour = static_cast<int16_t>(hour);
    date.minute = static_cast<int16_t>(minute);
    date.second = static_cast<int16_t>(second);
    return date;
}

uint32_t DateToSeconds(const DateTimeRec &date)
{
    const int64_t timeOfDay = int64_t(date.hour) * 3600 + int64_t(date.minute) * 60 + date.second;
    if (date.year == 0 && date.month == 0 && date.day == 0)
        return static_cast<uint32_t>(TimeOfDayBase + timeOfDay);
    return static_cast<uint32_t>(daysFromEpoch(date.year, date.month, date.day) * SecondsPerDay + timeOfDay);
}

std::optional<uint32_t> dateSecondsWithinRange(const DateTimeRec &date)
{
    const int64_t seconds = daysFromEpoch(date.year, date.month, date.day) * SecondsPerDay + int64_t(date.hour) * 3600
        + int64_t(date.minute) * 60 + date.second;
    if (seconds < 0 || seconds > int64_t(UINT32_MAX))
        return std::nullopt;
    return static_cast<uint32_t>(seconds);
}

void SecondsToDate(uint32_t seconds, DateTimeRec *date)
{
    civilFromEpochDays(seconds / SecondsPerDay, date);
    const uint32_t timeOfDay = seconds % SecondsPerDay;
    date->hour = static_cast<int16_t>(timeOfDay / 3600);
    date->minute = static_cast<int16_t>(timeOfDay / 60 % 60);
    date->second = static_cast<int16_t>(timeOfDay % 60);
}

bool clockPastLastDay(int64_t now)
{
    const auto instant = static_cast<time_t>(now);
    struct tm local {};
    localtime_r(&instant, &local);
    return !dateSecondsWithinRange(makeDateTimeRec(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                                                   local.tm_min, local.tm_sec));
}

uint32_t GetDateTime()
{
    const DateTimeSource &source = dateTimeSource();
    return source ? source() : systemDateTime();
}

void setDateTimeSource(DateTimeSource source)
{
    dateTimeSource() = std::move(source);
}

ScopedMoment::ScopedMoment(uint32_t moment) : previous(dateTimeSource())
{
    dateTimeSource() = [moment] { return moment; };
}

ScopedMoment::~ScopedMoment()
{
    dateTimeSource() = std::move(previous);
}

const char *shortWeekdayName(const DateTimeRec &date)
{
    static const char *const names[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    return names[(date.dayOfWeek + 6) % 7];
}

std::string formatListingDateTime(const DateTimeRec &date)
{
    const int hour12 = twelveHourClockHour(date.hour);
    char text[40];
    std::snprintf(text, sizeof text, "%s %02d/%02d/%02d %02d:%02d %s",
                  shortWeekdayName(date), date.month, date.day, date.year % 100,
                  hour12, date.minute, date.hour < 12 ? "AM" : "PM");
    return text;
}

std::string formatIsoDate(const DateTimeRec &date)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year % 10000, date.month % 100, date.day % 100);
    return text;
}

std::string formatIsoDateTime(const DateTimeRec &date)
{
    char text[24];
    std::snprintf(text, sizeof text, " %02d:%02d", date.hour % 100, date.minute % 100);
    return formatIsoDate(date) + text;
}
