#include "platform/DateTime.h"
#include "tests/support/Dates.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

namespace {

DateTimeRec brokenDown(uint32_t seconds)
{
    DateTimeRec rec;
    SecondsToDate(seconds, &rec);
    return rec;
}

auto fieldsOf(const DateTimeRec &rec)
{
    return std::tuple(rec.year, rec.month, rec.day, rec.hour, rec.minute, rec.second);
}

}  // namespace

TEST(DateTime, DatesRoundTripWithTheirWeekdayFromTheEpochOf1904)
{
    EXPECT_EQ(DateToSeconds(makeDateTimeRec(1904, 1, 1)), 0u);
    struct Case {
        DateTimeRec date;
        int dayOfWeek;
    } cases[] = {
        {makeDateTimeRec(1904, 1, 1, 0, 0, 0), 6},      // the epoch, a Friday
        {makeDateTimeRec(2026, 12, 4, 14, 15, 0), 6},   // Friday
        {makeDateTimeRec(2026, 12, 6, 0, 0, 0), 1},     // Sunday
        {makeDateTimeRec(2024, 2, 29, 23, 59, 59), 5},  // leap day, Thursday
        {makeDateTimeRec(2000, 3, 1, 12, 0, 0), 4},     // Wednesday
        {makeDateTimeRec(2040, 2, 6, 6, 28, 15), 2},    // the last representable day, Monday
    };
    for (const Case &c : cases) {
        const DateTimeRec back = brokenDown(DateToSeconds(c.date));
        EXPECT_EQ(fieldsOf(back), fieldsOf(c.date));
        EXPECT_EQ(back.dayOfWeek, c.dayOfWeek) << c.date.year << "-" << c.date.month << "-" << c.date.day;
    }
}

// Times of day sit on a whole-day base; moved by an offset across midnight they compare earlier or
// later than the day's own times and keep their clock time.
TEST(DateTime, TimeOfDayOnTheAllZeroDateIsAWholeDayBasePlusTheTime)
{
    const uint32_t midnight = DateToSeconds(makeDateTimeRec(0, 0, 0));
    EXPECT_EQ(midnight % SecondsPerDay, 0u);
    const uint32_t lastSecond = DateToSeconds(makeDateTimeRec(0, 0, 0, 23, 59, 59));
    EXPECT_EQ(lastSecond - midnight, SecondsPerDay - 1);
    EXPECT_EQ(fieldsOf(brokenDown(lastSecond)), std::tuple(brokenDown(midnight).year, brokenDown(midnight).month, brokenDown(midnight).day, 23, 59, 59));
    const uint32_t sixHoursBeforeFive = DateToSeconds(makeDateTimeRec(0, 0, 0, 5, 0, 0)) - 6 * 3600;
    EXPECT_LT(sixHoursBeforeFive, midnight);
    EXPECT_EQ(brokenDown(sixHoursBeforeFive).hour, 23);
    const uint32_t threeHoursAfterTen = DateToSeconds(makeDateTimeRec(0, 0, 0, 22, 0, 0)) + 3 * 3600;
    EXPECT_GT(threeHoursAfterTen, lastSecond);
    EXPECT_EQ(brokenDown(threeHoursAfterTen).hour * 60 + brokenDown(threeHoursAfterTen).minute, 60);
}

TEST(DateTime, ListingFormatIsEnglishWithTwelveHourClock)
{
    EXPECT_EQ(formatListingDateTime(brokenDown(DateToSeconds(makeDateTimeRec(2026, 12, 4, 14, 15)))), "Fri 12/04/26 02:15 PM");
    EXPECT_EQ(formatListingDateTime(brokenDown(DateToSeconds(makeDateTimeRec(2027, 1, 3, 0, 5)))), "Sun 01/03/27 12:05 AM");
    EXPECT_EQ(formatListingDateTime(brokenDown(DateToSeconds(makeDateTimeRec(2027, 1, 9, 12, 0)))), "Sat 01/09/27 12:00 PM");
}

// Date seconds end at 2040-02-06 06:28:15: a clock past it is said so, never read as 1904.
TEST(DateTime, AClockPastTheLastDayIsToldNotWrapped)
{
    const char *zone = std::getenv("TZ");
    const std::string saved = zone ? zone : "";
    setenv("TZ", "UTC", 1);
    tzset();
    constexpr int64_t LastSecond = 2212122495;  // 2040-02-06 06:28:15 UTC, 0xFFFFFFFF date seconds
    EXPECT_FALSE(clockPastLastDay(LastSecond));
    EXPECT_TRUE(clockPastLastDay(LastSecond + 1));
    EXPECT_FALSE(clockPastLastDay(0));
    EXPECT_EQ(dateSecondsWithinRange(makeDateTimeRec(2040, 2, 6, 6, 28, 15)), 0xFFFFFFFFu);
    EXPECT_FALSE(dateSecondsWithinRange(makeDateTimeRec(1903, 12, 31, 23, 59, 59)));
    saved.empty() ? unsetenv("TZ") : setenv("TZ", saved.c_str(), 1);
    tzset();
}

// One calendar for every date the system reckons with: a century is no leap year unless it is a
// fourth one.
TEST(DateTime, FebruaryHasTheDaysOfTheGregorianCalendar)
{
    struct Case {
        int year, days;
    } cases[] = {{1904, 29}, {1900, 28}, {2000, 29}, {2027, 28}, {2028, 29}, {2100, 28}, {2400, 29}};
    for (const Case &c : cases)
        EXPECT_EQ(daysInMonth(c.year, 2), c.days) << c.year;
    EXPECT_EQ(daysInMonth(2026, 12), 31);
    EXPECT_EQ(daysFromEpoch(2101, 3, 1) - daysFromEpoch(2100, 3, 1), 365);
}
