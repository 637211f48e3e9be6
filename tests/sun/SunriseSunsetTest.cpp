#include "document/WeekSchedule.h"
#include "platform/Location.h"
#include "platform/UserDefaultsFile.h"
#include "sun/SunriseSunset.h"
#include "tests/support/Dates.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <unistd.h>
#include <gtest/gtest.h>

namespace {

// "HH:MM HH:MM", or "none" on a day without both.
std::string sunOn(int year, int month, int day, Location location)
{
    setDateTimeSource([now = secondsAt(year, month, day, 12, 0)] { return now; });
    setLocationOverride(location);
    SetRiseSetTimes();
    setDateTimeSource({});
    setLocationOverride(std::nullopt);
    if (gSunriseTime == SunNeverRisesOrSets || gSunsetTime == SunNeverRisesOrSets) {
        EXPECT_EQ(gSunriseTime, gSunsetTime) << "both results carry the mark together";
        return "none";
    }
    DateTimeRec rise, set;
    SecondsToDate(gSunriseTime, &rise);
    SecondsToDate(gSunsetTime, &set);
    EXPECT_EQ(rise.second, 0);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d %02d:%02d", rise.hour, rise.minute, set.hour, set.minute);
    return text;
}

const Location NewYork {41, -74, -5 * 3600};

}  // namespace

TEST(SunriseSunset, SolsticesToTheTruncatedMinuteAndPolarDaysMarkBothResults)
{
    EXPECT_EQ(sunOn(2007, 6, 21, NewYork), "04:23 19:31");  // 4.3986 hours: truncated, not rounded
    EXPECT_EQ(sunOn(2007, 12, 21, NewYork), "07:17 16:30");
    for (const double latitude : {80.0, -80.0})
        for (const int month : {6, 12})
            EXPECT_EQ(sunOn(2007, month, 21, {latitude, 0, 0}), "none") << latitude << " in month " << month;
    EXPECT_NE(sunOn(2007, 3, 21, {80, 0, 0}), "none");
    EXPECT_EQ(sunOn(2026, 7, 10, {67, 0, 0}), "none") << "a sunset but no sunrise that day";
}

TEST(SunriseSunset, LocationIsUsedInWholeDegreesAndWholeHours)
{
    // A latitude of 40.7 is 41, a longitude of -74.4 is -74; a zone of five and a half hours east counts as five.
    EXPECT_EQ(sunOn(2007, 6, 21, {40.7, -74.4, -5 * 3600}), sunOn(2007, 6, 21, NewYork));
    EXPECT_EQ(sunOn(2026, 3, 20, {29, 77, 19800}), sunOn(2026, 3, 20, {29, 77, 18000}));
    EXPECT_NE(sunOn(2026, 3, 20, {29, 77, 19800}), sunOn(2026, 3, 20, {29, 77, 21600}));
}

TEST(SunriseSunset, EquinoxWhenRightAscensionPassesZero)
{
    // The Sun crosses right ascension 0 around 20 March; London then rises about 6:00 and sets about 18:12.
    const std::string london = sunOn(2026, 3, 20, {52, 0, 0});
    int riseHour, riseMinute, setHour, setMinute;
    ASSERT_EQ(std::sscanf(london.c_str(), "%d:%d %d:%d", &riseHour, &riseMinute, &setHour, &setMinute), 4);
    EXPECT_NEAR(riseHour * 60 + riseMinute, 6 * 60 + 2, 6) << london;
    EXPECT_NEAR(setHour * 60 + setMinute, 18 * 60 + 12, 6) << london;
}

// A zone named by a link ("US/Eastern", a name the zone tables no longer list) stands where its
// target stands; a zone with no place (UTC) says so instead of standing at 0 degrees, 0 degrees.
TEST(Location, TimeZoneGivesThePlaceOfTheZoneOrItsLinkTarget)
{
    const std::string config = testing::TempDir() + "tavorin-no-preferences";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    struct Case {
        const char *zone;
        double latitude;  // NAN: no place
    } cases[] = {{"America/New_York", 40.7}, {"US/Eastern", 40.7}, {"Europe/Kiev", 50.4}, {"Asia/Calcutta", 22.5},
                 {"Australia/Sydney", -33.9}, {":US/Eastern", 40.7}, {"Etc/UTC", NAN},    {"UTC", NAN}};
    for (const Case &c : cases) {
        setenv("TZ", c.zone, 1);
        tzset();
        const ZoneLocation zone = locationFromTimeZone();
        EXPECT_EQ(zone.placeKnown, !std::isnan(c.latitude)) << c.zone;
        EXPECT_EQ(locationIsKnown(), zone.placeKnown) << c.zone;
        if (zone.placeKnown) {
            EXPECT_NEAR(zone.location.latitude, c.latitude, 0.1) << c.zone;
        }
    }
    unsetenv("TZ");
    unsetenv("XDG_CONFIG_HOME");
    tzset();
}

// Each day's sun is computed with the offset its zone has a minute past that day's midnight, when
// the helper sends: with a place saved in Preferences in the other season, on both sides of every
// change, in zones with and without daylight time. The download's computation (the helper's and
// plan's) and the schedule's agree with the sun at that day's own offset, written out here.
TEST(Location, EachDayTakesItsOwnOffsetOnBothSidesOfEveryChange)
{
    struct Case {
        const char *zone;
        int year, month, day;
        int offsetMinutes;       // the zone's offset that day, as the tables have it
        int savedOffsetMinutes;  // what Preferences saved, in the other season
    } cases[] = {
        {"America/New_York", 2026, 3, 7, -300, -240},   {"America/New_York", 2026, 3, 9, -240, -300},
        {"America/New_York", 2026, 10, 31, -240, -300}, {"America/New_York", 2026, 11, 2, -300, -240},
        {"Europe/Berlin", 2026, 3, 28, 60, 120},         {"Europe/Berlin", 2026, 3, 30, 120, 60},
        {"Australia/Lord_Howe", 2026, 4, 4, 660, 630},   {"Australia/Lord_Howe", 2026, 4, 6, 630, 660},
        {"Pacific/Chatham", 2026, 4, 4, 825, 765},       {"Pacific/Chatham", 2026, 4, 6, 765, 825},
        {"Asia/Kolkata", 2026, 1, 15, 330, 330},         {"Asia/Kolkata", 2026, 7, 15, 330, 330},
    };
    const std::string home = "/tmp/tavorin-offsets-" + std::to_string(getpid());
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    const char *zoneBefore = std::getenv("TZ");
    const std::string savedZone = zoneBefore ? zoneBefore : "";
    for (const Case &c : cases) {
        setenv("TZ", c.zone, 1);
        tzset();
        writeApplicationDefaults({{"Latitude", "41"}, {"Longitude", "-74"}, {"GMT Offset", std::to_string(c.savedOffsetMinutes * 60)}});
        const MachineLocation thatDay {degreesAsFract(41), degreesAsFract(-74), (c.offsetMinutes * 60) & 0x00FFFFFF};
        const SunTimes expected = sunTimes(makeDateTimeRec(c.year, c.month, c.day), thatDay);
        {
            const ScopedMoment download(secondsAt(c.year, c.month, c.day, 0, 1));
            EXPECT_EQ(zoneOffsetOnDay(GetDateTime()), c.offsetMinutes * 60) << c.zone << ' ' << c.month << '/' << c.day;
            SetRiseSetTimes();
        }
        EXPECT_EQ(gSunriseTime, expected.sunrise) << c.zone << ' ' << c.month << '/' << c.day;
        EXPECT_EQ(gSunsetTime, expected.sunset) << c.zone << ' ' << c.month << '/' << c.day;
        // The day after another in the schedule, so that a day's sun left over from the one before shows.
        const SunTimes scheduled = weekSchedule({}, {}, secondsAt(c.year, c.month, c.day, 15, 0) - SecondsPerDay, 2).at(1).sun;
        EXPECT_EQ(scheduled.sunrise, expected.sunrise) << "the schedule, " << c.zone << ' ' << c.month << '/' << c.day;
    }
    // An offset of another zone, a place far from the computer, stays as it was saved.
    writeApplicationDefaults({{"GMT Offset", "19800"}});
    EXPECT_EQ(currentLocation().gmtOffset, 19800);
    savedZone.empty() ? unsetenv("TZ") : setenv("TZ", savedZone.c_str(), 1);
    tzset();
    unsetenv("XDG_CONFIG_HOME");
    std::filesystem::remove_all(home);
}
