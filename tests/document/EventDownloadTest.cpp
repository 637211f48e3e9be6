#include "document/EventDownload.h"
#include "document/WeekSchedule.h"
#include "driver/SerialLink.h"
#include "driver/TimerDownload.h"
#include "platform/Location.h"
#include "tests/support/Dates.h"
#include "tests/support/Events.h"
#include "tests/support/RecordingFrontEnd.h"
#include "tools/emulator/CP290Emulator.h"

#include <gtest/gtest.h>

namespace {

class EventDownload : public ::testing::Test {
protected:
    void SetUp() override
    {
        setDateTimeSource([] { return secondsAt(2026, 12, 7, 12, 0); });
        setLocationOverride(Location {41, -74, -18000});
        std::string error;
        ASSERT_TRUE(box.start(&error)) << error;
        setCP290DeviceFilePath(box.devicePath().c_str());
    }
    void TearDown() override
    {
        setDateTimeSource({});
        setLocationOverride(std::nullopt);
    }
    CP290Emulator box {{.tickScale = 0.05}};
    RecordingFrontEnd frontEnd;
};

}  // namespace

TEST_F(EventDownload, LastModulesLastEventGetsTheFirstRecord)
{
    const std::vector<Module> modules = {
        module(0, 1, {clockEvent(EventOn | EventAllDays, 7, 0), clockEvent(EventAllDays, 8, 0)}),
        module(0, 2, {clockEvent(EventOn | EventAllDays, 9, 0), clockEvent(EventAllDays, 10, 0)}),
    };
    EXPECT_EQ(downloadDocumentEvents(modules, {}), DownloadOutcome::Sent);
    const std::vector<int> hours = {box.storedRecord(0)[2], box.storedRecord(1)[2], box.storedRecord(2)[2],
                                    box.storedRecord(3)[2]};
    EXPECT_EQ(hours, (std::vector<int> {10, 9, 8, 7}));
    EXPECT_EQ(frontEnd.statusMessages, std::vector<std::string> {"Sending events to CP290..."});
    EXPECT_EQ(frontEnd.statusEnds, 1);
    EXPECT_TRUE(frontEnd.alerts.empty());
}

// An appliance module is only ever switched: a dim level its file holds goes out as plain on.
TEST_F(EventDownload, AnApplianceModuleGetsPlainOnWhateverLevelItsFileHolds)
{
    const auto firstRecord = [](int type, uint16_t brightness) {
        bool anyEvent = false;
        EXPECT_TRUE(encodeDocumentEvents({module(3, 4, {clockEvent(EventOn | EventAllDays, 7, 0, brightness)}, type)}, {1, 1}, &anyEvent));
        return std::vector<uint8_t>(CP290TimerEvent[0], CP290TimerEvent[0] + CP290TimerRecordSize);
    };
    EXPECT_EQ(firstRecord(ModuleTypeAppliance, 4), firstRecord(ModuleTypeAppliance, 9));
    EXPECT_EQ(firstRecord(ModuleTypeAppliance, 4), firstRecord(ModuleTypeLight, 9));
    EXPECT_NE(firstRecord(ModuleTypeLight, 4), firstRecord(ModuleTypeLight, 9)) << "a lamp module dims";
}

// Nothing goes to the CP290 when there is nothing to send: no events (said so), events all still
// ahead (the sheet comes and goes), more than 128 records (said so, no sheet).
TEST_F(EventDownload, DocumentsWithNothingToSendOrTooMuchSendNothing)
{
    Event later = clockEvent(EventOn | EventOnDate, 9, 0);
    later.Date = secondsAt(2026, 12, 20);
    std::vector<Event> tooMany;
    for (int minute = 0; minute < 129; ++minute)
        tooMany.push_back(clockEvent(EventOn | EventAllDays, minute / 60, minute % 60));
    struct Case {
        std::vector<Module> modules;
        DownloadOutcome outcome;
        std::vector<std::string> alerts;
        std::size_t sheets;
    } cases[] = {
        {{module(0, 1, {}), module(0, 2, {})}, DownloadOutcome::NoEvents, {"There are no events to send."}, 0},
        {{module(0, 1, {later})}, DownloadOutcome::NothingDue, {}, 1},
        {{module(0, 1, tooMany)}, DownloadOutcome::TooManyEvents, {"Too many events specified"}, 0},
    };
    for (const Case &c : cases) {
        RecordingFrontEnd front(box.devicePath());
        EXPECT_EQ(downloadDocumentEvents(c.modules, {}), c.outcome);
        EXPECT_EQ(front.alertTitles(), c.alerts);
        EXPECT_EQ(front.statusMessages.size(), c.sheets);
    }
    EXPECT_TRUE(box.receivedFrames().empty());
}

// Days on which even-day events pile up overflow the 128 records; the schedule marks them quietly
// and leaves the clock and the driver's records as it found them.
TEST_F(EventDownload, ScheduleMarksTheDaysThatWouldOverflow)
{
    Module crowded = module(0, 1, {});
    for (int minute = 0; minute < 120; ++minute)
        crowded.events.push_back(clockEvent(EventOn | EventEvenDays, 18 + minute / 60, minute % 60));
    for (int hour = 0; hour < 9; ++hour)
        crowded.events.push_back(clockEvent(EventOn | EventAllDays, hour, 0));
    bool anyEvent = false;
    ASSERT_TRUE(encodeDocumentEvents({module(2, 5, {clockEvent(EventOn | EventAllDays, 6, 0)})}, {1, 1}, &anyEvent));
    const std::vector<uint8_t> downloading(CP290TimerEvent[0], CP290TimerEvent[0] + CP290TimerRecordSize);
    const auto days = weekSchedule({crowded}, {1, 1}, secondsAt(2026, 12, 7, 15, 30), 3);
    EXPECT_EQ(NumEvents, 1) << "a download under way keeps its records";
    EXPECT_EQ(std::vector<uint8_t>(CP290TimerEvent[0], CP290TimerEvent[0] + CP290TimerRecordSize), downloading);
    ASSERT_EQ(days.size(), 3u);
    EXPECT_EQ(days[0].midnight, secondsAt(2026, 12, 7));
    EXPECT_FALSE(days[0].tooManyEvents) << "the 7th is odd";
    EXPECT_EQ(days[0].records.size(), 9u);
    EXPECT_TRUE(days[1].tooManyEvents);
    EXPECT_TRUE(days[1].kept) << "nothing is sent: the CP290 keeps the 7th's records";
    EXPECT_EQ(days[1].keptFrom, days[0].midnight);
    EXPECT_EQ(days[1].records, days[0].records);
    EXPECT_TRUE(days[1].marks.empty());
    EXPECT_EQ(days[0].marks.size(), 9u);
    EXPECT_NE(days[2].sun.sunrise, days[0].sun.sunrise) << "each day has its own sun";
    EXPECT_TRUE(frontEnd.alerts.empty());
    EXPECT_EQ(GetDateTime(), secondsAt(2026, 12, 7, 12, 0));
}

// The picture's marks are the events whose records fire that day, at their times that day.
TEST_F(EventDownload, MarksAreTheEventsThatFireOnTheDay)
{
    Event dated = clockEvent(EventOn | EventOnDate, 19, 15);
    dated.Date = secondsAt(2026, 12, 8);  // tomorrow: its record waits for the next night
    Event sunset;
    sunset.Flags = EventOn | EventSunset | EventAllDays;
    const std::vector<Module> house = {
        module(0, 1, {clockEvent(EventOn | EventMonday, 7, 0, 4), clockEvent(EventTuesday, 8, 0), dated}),
        module(1, 17, {clockEvent(EventAllDays, 22, 0), sunset}, ModuleTypeNone),
        module(2, 3, {clockEvent(EventOn | EventOddDays, 6, 30)}),
    };
    const SunTimes sun {timeOfDay(7, 12), timeOfDay(16, 29)};
    const auto marks = marksOfDay(house, downloadDayAt(secondsAt(2026, 12, 7, 0, 1), sun));  // a Monday, odd
    std::vector<std::string> seen;
    for (const ScheduleMark &mark : marks)
        seen.push_back(std::to_string(mark.module) + "." + std::to_string(mark.event) + "@" + std::to_string(mark.minute)
                       + (mark.on ? " on " + std::to_string(mark.brightness) : " off"));
    EXPECT_EQ(seen, (std::vector<std::string> {"0.0@420 on 4", "1.1@989 on 9", "2.0@390 on 9"}));
    EXPECT_EQ(marksOfDay(house, downloadDayAt(secondsAt(2026, 12, 8, 0, 1), sun)).size(), 3u)
        << "Tuesday: the off at 8, the dated event now today, the sunset";
}

// A document without events sends nothing, and its days still show their own sunrise and sunset,
// not what an earlier computation left behind.
TEST_F(EventDownload, AnEmptyDocumentsDaysHaveTheirOwnSun)
{
    setLocationOverride(Location {41, -74, -18000});
    gSunriseTime = gSunsetTime = timeOfDay(12, 0);  // stale: what some other day's computation left
    const auto days = weekSchedule({module(0, 1, {})}, {1, 1}, secondsAt(2026, 6, 21, 12, 0), 2);
    ASSERT_EQ(days.size(), 2u);
    for (const ScheduledDay &day : days) {
        const ScopedMoment sent(day.midnight + HelperSendsAfterMidnight);
        SetRiseSetTimes();
        EXPECT_EQ(day.sun.sunrise, gSunriseTime);
        EXPECT_EQ(day.sun.sunset, gSunsetTime);
        EXPECT_NE(day.sun.sunrise, timeOfDay(12, 0));
        EXPECT_TRUE(day.kept) << "nothing is sent for a document without events";
    }
    setLocationOverride(std::nullopt);
}

// The schedule is what a download a minute past midnight gives, as the helper sends it: an event at
// 12:01 AM is then due, which the download counts as past; at midnight it would still lie ahead.
TEST_F(EventDownload, TheScheduleSendsAtAMinutePastMidnight)
{
    Event minutePast = clockEvent(EventOn | EventOnDate | EventRepeatDays, 0, 1);
    minutePast.Date = secondsAt(2026, 12, 8);
    minutePast.Repeat = 1;
    const std::vector<Module> house {module(0, 1, {minutePast})};
    const ScheduledDay day = weekSchedule(house, {1, 1}, secondsAt(2026, 12, 8, 15, 0), 1).at(0);
    const auto recordsAt = [&house](uint32_t moment) {
        const ScopedMoment at(moment);
        bool anyEvent = false;
        encodeDocumentEvents(house, {1, 1}, &anyEvent);
        return driverRecords(NumEvents);
    };
    EXPECT_EQ(day.records, recordsAt(secondsAt(2026, 12, 8, 0, 1)));
    EXPECT_NE(day.records, recordsAt(secondsAt(2026, 12, 8, 0, 0))) << "a minute earlier, the event is still ahead";
}
