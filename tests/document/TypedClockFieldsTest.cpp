#include "document/TypedClockFields.h"

#include <gtest/gtest.h>

TEST(TypedClockFields, WholeTimesAsPeopleTypeThem)
{
    struct Case {
        const char *text;
        int hour, minute;  // -1: not a time
    } cases[] = {
        {"7:05 AM", 7, 5},  {"7:05am", 7, 5},   {"19:05", 19, 5}, {"7:05p", 19, 5},  {"7:05 PM", 19, 5},
        {"12:30 AM", 0, 30}, {"12 pm", 12, 0},  {"7", 7, 0},      {"0:15", 0, 15},   {" 7:05 pm ", 19, 5},
        {"13 pm", -1, 0},   {"0 am", -1, 0},    {"24:00", -1, 0}, {"7:60", -1, 0},   {"7:5", -1, 0},
        {"7:05 x", -1, 0},  {"", -1, 0},
    };
    for (const Case &c : cases) {
        const auto time = clockTimeFromText(c.text);
        ASSERT_EQ(time.has_value(), c.hour >= 0) << c.text;
        if (time)
            EXPECT_EQ(*time, (ClockTime {c.hour, c.minute})) << c.text;
    }
    EXPECT_EQ(clockTimeText({19, 5}), "7:05 PM");
    EXPECT_EQ(clockTimeText({0, 30}), "12:30 AM");
    EXPECT_EQ(clockTimeText({12, 0}), "12:00 PM");
}

TEST(TypedClockFields, KeystrokesAreKeptWhileTheyCanStillBecomeAValue)
{
    struct Case {
        const char *text;
        Typing typing;
    } cases[] = {
        {"", Typing::Unfinished},           {"1", Typing::Complete},            {"7:", Typing::Unfinished},
        {"7:0", Typing::Unfinished},        {"7:05 ", Typing::Complete},        {"7:05 P", Typing::Complete},
        {"x", Typing::Refused},             {"7:05 AMX", Typing::Refused},      {"123", Typing::Refused},
        {":5", Typing::Refused},            {"12/", Typing::Refused},
    };
    for (const Case &c : cases)
        EXPECT_EQ(clockTimeTyping(c.text), c.typing) << c.text;

    struct DateCase {
        const char *text;
        Typing typing;
    } dates[] = {
        {"12/24/2026", Typing::Complete}, {"12-24-2026", Typing::Complete}, {"12/24/", Typing::Unfinished},
        {"1", Typing::Unfinished},        {"12/24/202", Typing::Unfinished}, {"12/24/20261", Typing::Refused},
        {"12.24", Typing::Refused},       {"2/30/2026", Typing::Unfinished},
    };
    for (const DateCase &c : dates)
        EXPECT_EQ(calendarDayTyping(c.text), c.typing) << c.text;
}

TEST(TypedClockFields, WholeDatesAsPeopleTypeThem)
{
    struct Case {
        const char *text;
        int year, month, day;  // 0: not a date
    } cases[] = {
        {"12/24/2026", 2026, 12, 24}, {"12-24-2026", 2026, 12, 24}, {"12/24/26", 2026, 12, 24},
        {"2/29/2028", 2028, 2, 29},   {"2/29/2027", 0, 0, 0},       {"13/1/2026", 0, 0, 0},
        {"12/24-2026", 0, 0, 0},      {"12/0/2026", 0, 0, 0},
    };
    for (const Case &c : cases) {
        const auto day = calendarDayFromText(c.text);
        ASSERT_EQ(day.has_value(), c.year != 0) << c.text;
        if (day)
            EXPECT_EQ(*day, (CalendarDay {c.year, c.month, c.day})) << c.text;
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
    EXPECT_EQ(steppedCalendarDay({2026, 3, 1}, "03/01/2026", 4, -1), (CalendarDay {2026, 2, 28}));
}
