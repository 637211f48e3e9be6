#include "document/TypedClockFields.h"

#include "document/EventTextParser.h"
#include "tests/support/Events.h"

#include <gtest/gtest.h>

// One grammar of times: what the editor's time field takes is what the outline's typed text reads
// as the event's time, and what one refuses the other leaves the time alone for.
TEST(TypedClockFields, TheFieldAndTheOutlineReadTheSameTimes)
{
    for (const char *typed : {"7:05 AM", "7:05a", "19:05", "7 pm", "12:30 AM", "0:30 am", "7:5", "0 am", "12 pm", "7",
                              "13 pm", "24:00", "7:60", ":30", "1930"}) {
        Event event = clockEvent(EventOn | EventAllDays, 3, 33);
        readEventText(std::string("Turn On @ ") + typed + " Every Day", event);
        const auto field = clockTimeFromText(typed);
        const uint32_t read = event.Time;
        EXPECT_EQ(read != timeOfDay(3, 33), field.has_value()) << typed;
        if (field) {
            EXPECT_EQ(read, timeOfDay(field->hour, field->minute)) << typed;
        }
    }
}

TEST(TypedClockFields, WholeTimesAsPeopleTypeThem)
{
    struct Case {
        const char *text;
        int hour, minute;  // -1: not a time
    } cases[] = {
        {"7:05 AM", 7, 5},  {"7:05am", 7, 5},   {"19:05", 19, 5}, {"7:05p", 19, 5},  {"7:05 PM", 19, 5},
        {"12:30 AM", 0, 30}, {"12 pm", 12, 0},  {"7", 7, 0},      {"0:15", 0, 15},   {" 7:05 pm ", 19, 5},
        {"13 pm", -1, 0},   {"0 am", 0, 0},     {"24:00", -1, 0}, {"7:60", -1, 0},   {"7:5", 7, 5},
        {"0:30 am", 0, 30},
        {"7:05 x", -1, 0},  {"", -1, 0},        {":30", -1, 0},   {"7.05", -1, 0},   {"1930", -1, 0},
        {"2", 2, 0},        {"12/", -1, 0},
    };
    for (const Case &c : cases) {
        const auto time = clockTimeFromText(c.text);
        ASSERT_EQ(time.has_value(), c.hour >= 0) << c.text;
        if (time) {
            EXPECT_EQ(*time, (ClockTime {c.hour, c.minute})) << c.text;
        }
    }
    EXPECT_EQ(clockTimeText({19, 5}), "7:05 PM");
    EXPECT_EQ(clockTimeText({0, 30}), "12:30 AM");
    EXPECT_EQ(clockTimeText({12, 0}), "12:00 PM");
}

TEST(TypedClockFields, WholeDatesAsPeopleTypeThem)
{
    struct Case {
        const char *text;
        int year, month, day;  // 0: not a date
    } cases[] = {
        {"12/24/2026", 2026, 12, 24}, {"12-24-2026", 2026, 12, 24}, {"12/24/26", 2026, 12, 24},
        {"2/29/2028", 2028, 2, 29},   {"2/29/2027", 0, 0, 0},       {"13/1/2026", 0, 0, 0},
        {"12/24-2026", 0, 0, 0},      {"12/0/2026", 0, 0, 0},       {"2/29/202", 0, 0, 0},
        // The days a document can name, and no further: the seconds would wrap round to 1904.
        {"1/1/1904", 1904, 1, 1},     {"12/31/1903", 0, 0, 0},      {"2/6/2040", 2040, 2, 6},
        {"2/7/2040", 0, 0, 0},        {"12/24/2040", 0, 0, 0},
    };
    for (const Case &c : cases) {
        const auto day = calendarDayFromText(c.text);
        ASSERT_EQ(day.has_value(), c.year != 0) << c.text;
        if (day) {
            EXPECT_EQ(*day, (CalendarDay {c.year, c.month, c.day})) << c.text;
        }
    }
    EXPECT_EQ(calendarDayText({2026, 7, 4}), "07/04/2026");
}

TEST(TypedClockFields, ArrowsStepThePartTheCaretStandsIn)
{
    EXPECT_EQ(steppedClockTime({23, 2}, "11:02 PM", 8, 3), (ClockTime {23, 5})) << "minutes, caret at the end";
    EXPECT_EQ(steppedClockTime({23, 2}, "11:02 PM", 1, 1), (ClockTime {0, 2})) << "the hour, over midnight";
    EXPECT_EQ(steppedClockTime({0, 0}, "12:00 AM", 4, -1), (ClockTime {23, 59})) << "back over midnight";
    EXPECT_EQ(steppedCalendarDay({2026, 12, 31}, "12/31/2026", 4, 1), (CalendarDay {2027, 1, 1})) << "the day";
    EXPECT_EQ(steppedCalendarDay({2026, 1, 31}, "01/31/2026", 1, 1), (CalendarDay {2026, 2, 28})) << "the month";
    EXPECT_EQ(steppedCalendarDay({2026, 12, 24}, "12/24/2026", 0, -12), (CalendarDay {2025, 12, 24}));
    EXPECT_EQ(steppedCalendarDay({2028, 2, 29}, "02/29/2028", 9, 1), (CalendarDay {2029, 2, 28})) << "the year";
    EXPECT_EQ(steppedCalendarDay({2039, 6, 1}, "06/01/2039", 9, 1), (CalendarDay {2039, 6, 1})) << "no year past 2040-02-06";
    EXPECT_EQ(steppedCalendarDay({2040, 2, 6}, "02/06/2040", 4, 1), (CalendarDay {2040, 2, 6})) << "no day past it";
    EXPECT_EQ(steppedCalendarDay({1904, 1, 31}, "01/31/1904", 1, -1), (CalendarDay {1904, 1, 31})) << "no month before 1904";
    EXPECT_EQ(steppedCalendarDay({2026, 3, 1}, "03/01/2026", 4, -1), (CalendarDay {2026, 2, 28}));
}
