#include "driver/CommandExchange.h"
#include "driver/SerialLink.h"
#include "driver/TimerDownload.h"
#include "platform/Location.h"
#include "sun/SunriseSunset.h"
#include "tests/support/Dates.h"
#include "tests/support/Events.h"
#include "tests/support/RecordingFrontEnd.h"
#include "tests/support/ScriptedLine.h"
#include "tools/emulator/CP290Emulator.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes record(int number)
{
    return Bytes(CP290TimerEvent[number], CP290TimerEvent[number] + CP290TimerRecordSize);
}

Bytes stored(int number)
{
    return Bytes(CP290TimerEvent[number] + 2, CP290TimerEvent[number] + CP290TimerRecordSize);
}

class TimerDownload : public ::testing::Test {
protected:
    void SetUp() override
    {
        setLocationOverride(Location {41, -74, -18000});
        at(2026, 12, 7, 12, 0);  // a Monday, noon
    }
    void TearDown() override
    {
        setDateTimeSource({});
        setLocationOverride(std::nullopt);
    }
    void at(int year, int month, int day, int hour, int minute)
    {
        const uint32_t now = secondsAt(year, month, day, hour, minute);
        setDateTimeSource([now] { return now; });
        CP290DoSendEventStart();
        today = downloadDayAt(now, {gSunriseTime, gSunsetTime});
    }
    // The records one event gives, each as its eight stored bytes.
    std::vector<Bytes> recordsOf(const Event &event, int unit = 3, int house = 0, ClassicEventRepeat repeat = {})
    {
        CP290DoSendEventStart();
        EXPECT_TRUE(CP290DoSendEvent(static_cast<uint8_t>(house), static_cast<uint8_t>(unit), &event, &repeat));
        std::vector<Bytes> records;
        for (int n = 0; n < NumEvents; ++n)
            records.push_back(stored(n));
        return records;
    }
    Event dated(int year, int month, int day, int hour, int minute, uint16_t repeat = 0, uint16_t flags = EventOn)
    {
        Event event = clockEvent(static_cast<uint16_t>(flags | EventOnDate | EventAllDays), hour, minute);
        event.Date = secondsAt(year, month, day);
        event.Repeat = repeat;
        return event;
    }
    uint8_t modeOf(const Event &event) const { return ::modeOf(event, today); }

    RecordingFrontEnd frontEnd;
    DownloadDay today {};
};

}  // namespace

TEST_F(TimerDownload, RecordsCarryTheirAddressModeDaysTimeUnitsAndFunction)
{
    at(2026, 12, 7, 6, 0);
    const Event weekdays = clockEvent(EventOn | EventMonday | EventTuesday | EventWednesday | EventThursday | EventFriday, 19, 5);
    Event today = dated(2026, 12, 7, 6, 48);
    today.Brightness = 4;
    const ClassicEventRepeat once;
    CP290DoSendEventStart();
    ASSERT_TRUE(CP290DoSendEvent(0, 3, &weekdays, &once));
    ASSERT_TRUE(CP290DoSendEvent(1, 12, &today, &once));
    ASSERT_EQ(NumEvents, 2);
    EXPECT_EQ(record(0), (Bytes {0x00, 0x00, 0x08, 0x1F, 0x13, 0x05, 0x20, 0x00, 0x60, 0x02}));
    EXPECT_EQ(record(1), (Bytes {0x08, 0x00, 0x04, 0x7F, 0x06, 0x30, 0x00, 0x10, 0xE0, 0x85}));
}

TEST_F(TimerDownload, ModeFollowsTheDayRuleTheDateAndTheTime)
{
    // Now is Monday 7 December 2026, noon.
    struct Case {
        const char *what;
        Event event;
        uint8_t mode;  // 0: no record
    } cases[] = {
        {"weekdays, any time", clockEvent(EventOn | EventSunday, 3, 0), CP290ModeNormal},
        {"weekdays in security", clockEvent(EventOn | EventSecurity | EventAllDays, 3, 0), CP290ModeSecurity},
        {"today, still to come", dated(2026, 12, 7, 18, 0), CP290ModeToday},
        {"today, already past", dated(2026, 12, 7, 11, 0), 0},
        {"today at this minute is past", dated(2026, 12, 7, 12, 0), 0},
        {"today, past, daily", dated(2026, 12, 7, 11, 0, 1), CP290ModeTomorrow},
        {"tomorrow, earlier time", dated(2026, 12, 8, 6, 0), CP290ModeTomorrow},
        {"two days ahead", dated(2026, 12, 9, 18, 0), 0},
        {"ten days ago every 5", dated(2026, 11, 27, 18, 0, 5), CP290ModeToday},
        {"ten days ago every 11", dated(2026, 11, 27, 18, 0, 11), CP290ModeTomorrow},
        {"ten days ago every 4", dated(2026, 11, 27, 18, 0, 4), 0},
        {"ten days ago, no repeat", dated(2026, 11, 27, 18, 0, 0), 0},
        {"security ignored on a date", dated(2026, 12, 7, 18, 0, 0, EventOn | EventSecurity), CP290ModeToday},
        {"odd day on the 7th", clockEvent(EventOn | EventOddDays, 18, 0), CP290ModeToday},
        {"even day on the 7th", clockEvent(EventOn | EventEvenDays, 18, 0), 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(modeOf(c.event), c.mode) << c.what;

    at(2026, 12, 31, 6, 0);
    EXPECT_EQ(modeOf(clockEvent(EventOn | EventEvenDays, 18, 0)), 0) << "even day on the 31st";
    at(2026, 12, 30, 6, 0);
    EXPECT_EQ(modeOf(clockEvent(EventOn | EventEvenDays, 18, 0)), CP290ModeToday) << "even day on the 30th";
}

TEST_F(TimerDownload, RepeatsFallOnConsecutiveMinutesAcrossTheHourAndMidnight)
{
    const auto times = [](const std::vector<Bytes> &records) {
        std::vector<std::pair<int, int>> hoursAndMinutes;
        for (const Bytes &r : records)
            hoursAndMinutes.emplace_back(r[2], r[3]);
        return hoursAndMinutes;
    };
    const auto late = recordsOf(clockEvent(EventOn | EventAllDays, 23, 59), 3, 0, {3, 1});
    EXPECT_EQ(times(late), (std::vector<std::pair<int, int>> {{23, 59}, {0, 0}, {0, 1}}));
    for (const Bytes &r : late) {
        EXPECT_EQ(r[0], CP290ModeNormal);
        EXPECT_EQ(r[1], 0x7F);
    }
    EXPECT_EQ(times(recordsOf(clockEvent(EventAllDays, 7, 59), 3, 0, {1, 2})),
              (std::vector<std::pair<int, int>> {{7, 59}, {8, 0}}));
    EXPECT_TRUE(recordsOf(clockEvent(EventOn | EventAllDays, 7, 0), 3, 0, {0, 1}).empty()) << "a count of 0";
}

TEST_F(TimerDownload, RecordsDifferingOnlyInUnitsAreMerged)
{
    const Event event = clockEvent(EventOn | EventAllDays, 19, 5);
    const ClassicEventRepeat once;
    CP290DoSendEventStart();
    ASSERT_TRUE(CP290DoSendEvent(0, 3, &event, &once));
    ASSERT_TRUE(CP290DoSendEvent(0, 12, &event, &once));
    ASSERT_TRUE(CP290DoSendEvent(1, 12, &event, &once));  // another house: a record of its own
    const Event weekend = clockEvent(EventOn | EventSunday | EventSaturday, 19, 5);
    ASSERT_TRUE(CP290DoSendEvent(0, 4, &weekend, &once));  // other days: a record of its own
    ASSERT_EQ(NumEvents, 3);
    EXPECT_EQ(CP290TimerEvent[0][6], 0x20);
    EXPECT_EQ(CP290TimerEvent[0][7], 0x10);
    EXPECT_EQ(CP290TimerEvent[1][0], 0x08);
    EXPECT_EQ(CP290TimerEvent[2][6], 0x10);
    EXPECT_EQ(CP290TimerEvent[2][3], 0x60);
}

TEST_F(TimerDownload, OnlyADailyRepeatOfADatedEventGetsATomorrowCopy)
{
    Event event = dated(2026, 12, 7, 18, 30, 1, EventOn | EventRepeatDays);
    const auto records = recordsOf(event);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0][0], CP290ModeToday);
    EXPECT_EQ(records[1][0], CP290ModeTomorrow);
    EXPECT_EQ(records[1][2], 18);
    EXPECT_EQ(records[1][3], 30);
    EXPECT_EQ(recordsOf(dated(2026, 12, 7, 18, 30, 1, EventOn)).size(), 1u) << "a count of 1 without the repeat switch";
}

// The function byte says what the CP290 does. An off event never switches anything on, whatever
// level a file gives it; "All Lights" only switches on and "All Modules" only off.
TEST_F(TimerDownload, FunctionByteFollowsTheUnitTheSwitchAndTheLevel)
{
    constexpr int NoRecord = -1;
    struct Case {
        int unit;
        uint16_t on;
        uint16_t brightness;
        int function;
    } cases[] = {
        {3, EventOn, 1, 0xE5},  {3, EventOn, 4, 0x85},  {3, EventOn, 8, 0x05},  {3, EventOn, 9, 0x02},
        {3, 0, 9, 0x03},        {3, 0, 1, 0x03},        {3, 0, 8, 0x03},        {17, EventOn, 9, 0x01},
        {17, EventOn, 4, 0x01}, {17, 0, 9, NoRecord},   {18, 0, 9, 0x00},       {18, EventOn, 3, 0x00},
    };
    for (const Case &c : cases) {
        const auto records = recordsOf(clockEvent(static_cast<uint16_t>(c.on | EventAllDays), 21, 0, c.brightness), c.unit);
        if (c.function == NoRecord) {
            EXPECT_TRUE(records.empty()) << c.unit;
            continue;
        }
        ASSERT_EQ(records.size(), 1u) << c.unit;
        EXPECT_EQ(records[0][7], c.function) << "unit " << c.unit << " brightness " << c.brightness << " on " << c.on;
        if (c.unit > 16)
            EXPECT_EQ(records[0][4] | records[0][5], 0) << "a group has no unit bits";
    }
}

TEST_F(TimerDownload, UnitBitmapsRunFromUnitOneHighToSixteenLow)
{
    struct Case {
        int unit, first, second;
    } cases[] = {{1, 0x80, 0}, {3, 0x20, 0}, {8, 0x01, 0}, {9, 0, 0x80}, {12, 0, 0x10}, {16, 0, 0x01}};
    for (const Case &c : cases) {
        const auto records = recordsOf(clockEvent(EventOn | EventAllDays, 9, 0), c.unit);
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0][4], c.first) << c.unit;
        EXPECT_EQ(records[0][5], c.second) << c.unit;
    }
}

TEST(DownloadProgress, EachCommandTakesTheWholeQuotientOfTheScale)
{
    struct Case {
        int records;
        double budget;
    } cases[] = {{0, 43}, {1, 32}, {40, 3}, {62, 2}, {63, 1}, {127, 1}, {128, 0}};
    for (const Case &c : cases)
        EXPECT_DOUBLE_EQ(downloadProgressBudget(c.records), c.budget) << c.records;
}

TEST_F(TimerDownload, SunEventsTakeTodaysSunTimeMovedByTheOffset)
{
    at(2007, 6, 21, 3, 0);  // New York: sunrise 4:23, sunset 19:31 local standard time
    Event sunset;
    sunset.Flags = EventOn | EventSunset | EventAllDays;
    sunset.Adjust = 15 * 60;
    const auto after = recordsOf(sunset);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0][2], 19);
    EXPECT_EQ(after[0][3], 46);

    // Sunrise less five hours is the evening before: 23:23, and it has passed for a today record.
    Event early;
    early.Flags = EventOn | EventSunrise | EventOffsetMinus | EventAllDays;
    early.Adjust = 5 * 3600;
    const auto evening = recordsOf(early);
    ASSERT_EQ(evening.size(), 1u);
    EXPECT_EQ(evening[0][2], 23);
    EXPECT_EQ(evening[0][3], 23);
    early.Flags = EventOn | EventSunrise | EventOffsetMinus | EventOddDays;
    EXPECT_TRUE(recordsOf(early).empty());

    setLocationOverride(Location {80, 0, 0});  // no sunrise or sunset that day: no record
    at(2007, 6, 21, 3, 0);
    EXPECT_TRUE(recordsOf(sunset).empty());
    EXPECT_EQ(recordsOf(clockEvent(EventOn | EventAllDays, 7, 0)).size(), 1u);
}

TEST_F(TimerDownload, The129thRecordRaisesTheAlertAndFails)
{
    const ClassicEventRepeat once;
    CP290DoSendEventStart();
    for (int minute = 0; minute < 128; ++minute) {
        const Event event = clockEvent(EventOn | EventAllDays, minute / 60, minute % 60);
        ASSERT_TRUE(CP290DoSendEvent(0, 1, &event, &once)) << minute;
    }
    const Event merged = clockEvent(EventOn | EventAllDays, 0, 0);
    EXPECT_TRUE(CP290DoSendEvent(0, 2, &merged, &once)) << "merging needs no new record";
    EXPECT_TRUE(frontEnd.alerts.empty());
    const Event extra = clockEvent(EventOn | EventAllDays, 23, 0);
    EXPECT_FALSE(CP290DoSendEvent(0, 1, &extra, &once));
    EXPECT_EQ(NumEvents, 128);
    ASSERT_EQ(frontEnd.alerts.size(), 1u);
    EXPECT_EQ(frontEnd.alerts[0].title, "Too many events specified");
    EXPECT_EQ(frontEnd.alerts[0].message, "A maximum of 128 events can be specified.  The events cannot be sent to the CP290.");
}

TEST_F(TimerDownload, EndWithNoRecordsSendsNothing)
{
    setCP290DeviceFilePath("/dev/ttyNoSuchCP290");
    CP290DoSendEventStart();
    EXPECT_TRUE(CP290DoSendEventEnd());
    EXPECT_TRUE(frontEnd.alerts.empty());
}

TEST_F(TimerDownload, EndSetsTheClockResetsTheBaseHouseCodeAndStoresEveryRecord)
{
    CP290Emulator box({.tickScale = 0.05});
    std::string error;
    ASSERT_TRUE(box.start(&error)) << error;
    setCP290DeviceFilePath(box.devicePath().c_str());
    const ClassicEventRepeat once;
    CP290DoSendEventStart();
    for (int n = 0; n < 40; ++n) {
        const Event event = clockEvent(EventOn | EventAllDays, n / 4, n % 4 * 15);
        ASSERT_TRUE(CP290DoSendEvent(2, 5, &event, &once));
    }
    ASSERT_TRUE(CP290DoSendEventEnd());

    EXPECT_DOUBLE_EQ(gProgressBudget, 3);  // 130 / 43
    EXPECT_DOUBLE_EQ(frontEnd.progressTotal(), 129);
    EXPECT_EQ(CP290Close, 1);
    EXPECT_EQ(CP290FileDescriptor, -1);
    const auto frames = box.receivedFrames();
    ASSERT_EQ(frames.size(), 43u);
    EXPECT_EQ(frames[0][16], CP290SetClock);
    EXPECT_EQ(frames[1][16], CP290ReportClock);
    EXPECT_EQ(frames[2], expectedFrame(CP290SetBaseHouseCode, {0x60}));
    for (int n = 0; n < 40; ++n) {
        const auto kept = box.storedRecord(n);
        EXPECT_EQ(Bytes(kept.begin(), kept.end()), stored(n)) << n;
    }
}

TEST_F(TimerDownload, FailureMidwayStopsAndClosesTheLink)
{
    CP290Emulator box({.failAfter = 5, .tickScale = 0.05});
    std::string error;
    ASSERT_TRUE(box.start(&error)) << error;
    setCP290DeviceFilePath(box.devicePath().c_str());
    const ClassicEventRepeat once;
    CP290DoSendEventStart();
    for (int n = 0; n < 6; ++n) {
        const Event event = clockEvent(EventOn | EventAllDays, 8, n);
        ASSERT_TRUE(CP290DoSendEvent(0, 1, &event, &once));
    }
    EXPECT_FALSE(CP290DoSendEventEnd());
    EXPECT_EQ(CP290Close, 1);
    EXPECT_EQ(CP290FileDescriptor, -1);
    EXPECT_EQ(frontEnd.alertTitles(), std::vector<std::string> {"CP290 Not Responding"});
    EXPECT_EQ(box.storedRecordCount(), 2) << "the records sent before the failure stay";
}

TEST_F(TimerDownload, NoSuchModuleOnTheWireGivesNoRecord)
{
    const Event event = clockEvent(EventOn | EventAllDays, 7, 0);
    EXPECT_TRUE(recordsOf(event, 0).empty()) << "unit 0";
    EXPECT_TRUE(recordsOf(event, 19).empty()) << "unit 19";
    EXPECT_TRUE(recordsOf(event, 3, 16).empty()) << "house 16";
    EXPECT_EQ(recordsOf(event, 18, 15).size(), 1u) << "the last house's all modules";
}
