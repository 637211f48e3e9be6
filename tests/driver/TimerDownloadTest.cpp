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

#include <cstring>
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
    static bool send(int house, int unit, const Event &event, ClassicEventRepeat repeat = {})
    {
        return CP290DoSendEvent(static_cast<uint8_t>(house), static_cast<uint8_t>(unit), &event, &repeat);
    }
    // The records one event gives, each as its eight stored bytes.
    std::vector<Bytes> recordsOf(const Event &event, int unit = 3, int house = 0, ClassicEventRepeat repeat = {})
    {
        CP290DoSendEventStart();
        EXPECT_TRUE(send(house, unit, event, repeat));
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
    Event dimmedToday = dated(2026, 12, 7, 6, 48);
    dimmedToday.Brightness = 4;
    CP290DoSendEventStart();
    ASSERT_TRUE(send(0, 3, weekdays) && send(1, 12, dimmedToday));
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
    for (const Bytes &r : late)
        EXPECT_EQ(r[0] << 8 | r[1], CP290ModeNormal << 8 | 0x7F) << "every day, in normal mode";
    EXPECT_EQ(times(recordsOf(clockEvent(EventAllDays, 7, 59), 3, 0, {1, 2})),
              (std::vector<std::pair<int, int>> {{7, 59}, {8, 0}}));
    EXPECT_TRUE(recordsOf(clockEvent(EventOn | EventAllDays, 7, 0), 3, 0, {0, 1}).empty()) << "a count of 0";

    // Only a daily repeat of a dated event gets a copy for tomorrow, and only with the repeat switch.
    const auto daily = recordsOf(dated(2026, 12, 7, 18, 30, 1, EventOn | EventRepeatDays));
    ASSERT_EQ(daily.size(), 2u);
    EXPECT_EQ(daily[0][0], CP290ModeToday);
    EXPECT_EQ(daily[1], (Bytes {CP290ModeTomorrow, daily[0][1], 18, 30, daily[0][4], daily[0][5], daily[0][6], daily[0][7]}));
    EXPECT_EQ(recordsOf(dated(2026, 12, 7, 18, 30, 1, EventOn)).size(), 1u);
}

TEST_F(TimerDownload, RecordsDifferingOnlyInUnitsAreMerged)
{
    const Event event = clockEvent(EventOn | EventAllDays, 19, 5);
    CP290DoSendEventStart();
    ASSERT_TRUE(send(0, 3, event) && send(0, 12, event));
    ASSERT_TRUE(send(1, 12, event));  // another house: a record of its own
    ASSERT_TRUE(send(0, 4, clockEvent(EventOn | EventSunday | EventSaturday, 19, 5)));  // other days: another
    ASSERT_EQ(NumEvents, 3);
    EXPECT_EQ(CP290TimerEvent[0][6] << 8 | CP290TimerEvent[0][7], 0x2010);
    EXPECT_EQ(CP290TimerEvent[1][0], 0x08);
    EXPECT_EQ(CP290TimerEvent[2][6], 0x10);
    EXPECT_EQ(CP290TimerEvent[2][3], 0x60);
}

// The unit bits run from unit 1 high to 16 low; the function byte says what the CP290 does. An off
// event never switches anything on, whatever level a file gives it; "All Lights" only switches on
// and "All Modules" only off; no unit 0 or 19 or house 16 reaches the wire.
TEST_F(TimerDownload, UnitBitsAndFunctionByteFollowTheUnitTheSwitchAndTheLevel)
{
    constexpr int NoRecord = -1;
    struct Case {
        int house, unit;
        uint16_t on, brightness;
        int units, function;
    } cases[] = {
        {0, 3, EventOn, 1, 0x2000, 0xE5},  {0, 3, EventOn, 4, 0x2000, 0x85}, {0, 3, EventOn, 8, 0x2000, 0x05},
        {0, 3, EventOn, 9, 0x2000, 0x02},  {0, 3, 0, 9, 0x2000, 0x03},       {0, 3, 0, 1, 0x2000, 0x03},
        {0, 3, 0, 8, 0x2000, 0x03},        {0, 1, EventOn, 9, 0x8000, 0x02}, {0, 8, EventOn, 9, 0x0100, 0x02},
        {0, 9, EventOn, 9, 0x0080, 0x02},  {0, 12, EventOn, 9, 0x0010, 0x02}, {0, 16, EventOn, 9, 0x0001, 0x02},
        {0, 17, EventOn, 9, 0, 0x01},      {0, 17, EventOn, 4, 0, 0x01},     {0, 17, 0, 9, 0, NoRecord},
        {0, 18, 0, 9, 0, 0x00},            {15, 18, EventOn, 3, 0, 0x00},    {0, 0, EventOn, 9, 0, NoRecord},
        {0, 19, EventOn, 9, 0, NoRecord},  {16, 3, EventOn, 9, 0, NoRecord},
    };
    for (const Case &c : cases) {
        const auto records = recordsOf(clockEvent(static_cast<uint16_t>(c.on | EventAllDays), 21, 0, c.brightness), c.unit, c.house);
        ASSERT_EQ(records.size(), c.function == NoRecord ? 0u : 1u) << "house " << c.house << " unit " << c.unit;
        if (records.empty())
            continue;
        EXPECT_EQ(std::tuple(records[0][4] << 8 | records[0][5], int(records[0][7])), std::tuple(c.units, c.function))
            << "unit " << c.unit << " brightness " << c.brightness << " on " << c.on;
    }

    // Every house code and every level as the protocol defines its byte, in the record sent.
    const uint8_t houseBytes[16] = {0x60, 0xE0, 0x20, 0xA0, 0x10, 0x90, 0x50, 0xD0, 0x70, 0xF0, 0x30, 0xB0, 0x00, 0x80, 0x40, 0xC0};
    const uint8_t levelBytes[9] = {0xE5, 0xC5, 0xA5, 0x85, 0x65, 0x45, 0x25, 0x05, 0x02};
    for (int house = 0; house < 16; ++house) {
        const auto records = recordsOf(clockEvent(EventOn | EventAllDays, 21, 0), 3, house);
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0][6], houseBytes[house]) << "house " << char('A' + house);
    }
    for (uint16_t level = 1; level <= 9; ++level) {
        const auto records = recordsOf(clockEvent(EventOn | EventAllDays, 21, 0, level));
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0][7], levelBytes[level - 1]) << "level " << level;
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
    CP290DoSendEventStart();
    for (int minute = 0; minute < 128; ++minute)
        ASSERT_TRUE(send(0, 1, clockEvent(EventOn | EventAllDays, minute / 60, minute % 60))) << minute;
    EXPECT_TRUE(send(0, 2, clockEvent(EventOn | EventAllDays, 0, 0))) << "merging needs no new record";
    EXPECT_TRUE(frontEnd.alerts.empty());
    EXPECT_FALSE(send(0, 1, clockEvent(EventOn | EventAllDays, 23, 0)));
    EXPECT_EQ(NumEvents, 128);
    ASSERT_EQ(frontEnd.alerts.size(), 1u);
    EXPECT_EQ(frontEnd.alerts[0].title, "Too many events specified");
    EXPECT_EQ(frontEnd.alerts[0].message, "A maximum of 128 events can be specified.  The events cannot be sent to the CP290.");
}

TEST_F(TimerDownload, EndSetsTheClockResetsTheBaseHouseCodeAndStoresEveryRecord)
{
    CP290Emulator box({.tickScale = 0.05});
    std::string error;
    ASSERT_TRUE(box.start(&error)) << error;
    setCP290DeviceFilePath(box.devicePath().c_str());
    CP290DoSendEventStart();
    for (int n = 0; n < 40; ++n)
        ASSERT_TRUE(send(2, 5, clockEvent(EventOn | EventAllDays, n / 4, n % 4 * 15)));
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
    for (int n = 0; n < 40; ++n)
        EXPECT_EQ(0, std::memcmp(box.storedRecord(n).data(), CP290TimerEvent[n] + 2, 8)) << n;

    box.stop();
    CP290Emulator failing({.failAfter = 5, .tickScale = 0.05});
    ASSERT_TRUE(failing.start(&error)) << error;
    setCP290DeviceFilePath(failing.devicePath().c_str());
    EXPECT_FALSE(CP290DoSendEventEnd());
    EXPECT_EQ(CP290Close, 1);
    EXPECT_EQ(CP290FileDescriptor, -1);
    EXPECT_EQ(frontEnd.alertTitles(), std::vector<std::string> {"CP290 Not Responding"});
    EXPECT_EQ(failing.storedRecordCount(), 2) << "the records sent before the failure stay";
}
