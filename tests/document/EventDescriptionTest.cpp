#include "document/EventDescription.h"
#include "tests/support/Dates.h"
#include "tests/support/Events.h"

#include <gtest/gtest.h>

namespace {

Event withFlags(uint16_t flags, uint32_t adjust = 0, uint16_t brightness = 9)
{
    Event event;
    event.Flags = flags;
    event.Time = timeOfDay(19, 30);
    event.Adjust = adjust;
    event.Brightness = brightness;
    event.Date = secondsAt(2008, 3, 7);
    return event;
}

}  // namespace

TEST(EventDescription, PiecesJoinIntoTheOutlineText)
{
    struct Case {
        Event event;
        const char *text;
    } cases[] = {
        {withFlags(0x7F20), "Turn Off @ 07:30 PM Every Day"},
        {withFlags(0x3F20), "Turn Off @ 07:30 PM On .MTWTFS"},
        {withFlags(0x8008), "Turn On @ Sunrise On ......."},
        {withFlags(0xFF88, 5400), "Turn On @ Sunrise-01:30 Every Day"},
        {withFlags(EventOn | EventSunset | EventOffsetMinus | EventSecurity | EventSunday | EventSaturday, 1800, 4),
         "Turn On 50.0% @ Sunset-00:30 (Security)  On S.....S"},
        {withFlags(EventOn | EventSunset | EventAllDays, 15 * 60, 1), "Turn On 12.5% @ Sunset+00:15 Every Day"},
        {withFlags(EventOn | EventClockTime | EventAllDays, 0, 8), "Turn On 100.0% @ 07:30 PM Every Day"},
        {withFlags(EventClockTime | EventOnDate | EventRepeatDays), "Turn Off @ 07:30 PM On 03/07/2008"},
        {withFlags(EventClockTime | EventEvenDays), "Turn Off @ 07:30 PM On Even Days"},
        {withFlags(EventClockTime | EventOddDays), "Turn Off @ 07:30 PM On Odd Days"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(eventDescription(c.event), c.text);
}

TEST(EventDescription, RepetitionClauseNeedsTheFlagAndACount)
{
    Event event = withFlags(EventClockTime | EventOnDate | EventRepeatDays);
    event.Repeat = 1;
    EXPECT_EQ(eventDaysText(event), "On 03/07/2008 & Every 1 Day Thereafter");
    event.Repeat = 2;
    EXPECT_EQ(eventDaysText(event), "On 03/07/2008 & Every 2 Days Thereafter");
    event.Flags &= ~EventRepeatDays;
    EXPECT_EQ(eventDaysText(event), "On 03/07/2008");
}

TEST(EventDescription, ClockTimesUseTwoDigitTwelveHourText)
{
    struct Case {
        int hour, minute;
        const char *text;
    } cases[] = {{0, 0, "12:00 AM"}, {0, 5, "12:05 AM"}, {11, 59, "11:59 AM"}, {12, 0, "12:00 PM"}, {23, 1, "11:01 PM"}};
    for (const Case &c : cases)
        EXPECT_EQ(eventTimeText(clockEvent(0, c.hour, c.minute)), c.text);
    // A stored time is read by its remainder modulo a day, whatever base the file's writer used.
    Event foreign = clockEvent(0, 0, 0);
    foreign.Time = 3 * SecondsPerDay + 19 * 3600 + 30 * 60;
    EXPECT_EQ(eventTimeText(foreign), "07:30 PM");
}
