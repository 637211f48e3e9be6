#include "document/EventDescription.h"
#include "document/EventTextParser.h"
#include "tests/support/Dates.h"
#include "tests/support/Events.h"

#include <gtest/gtest.h>

namespace {

Event parsed(Event event, const std::string &text)
{
    readEventText(text, event);
    return event;
}

Event datedEvent()
{
    Event event = clockEvent(EventOn | EventOnDate, 8, 0);
    event.Date = secondsAt(2026, 12, 20);
    return event;
}

}  // namespace

TEST(EventTextParser, WholeDescriptionsSetEveryFieldTheyName)
{
    const Event any = clockEvent(EventSunset | EventSecurity | EventOddDays, 6, 15, 4);
    const Event every = parsed(any, "Turn On @ 7:30 PM Every Day");
    EXPECT_EQ(every.Flags, EventOn | EventClockTime | EventAllDays);
    EXPECT_EQ(every.Time, timeOfDay(19, 30));

    const Event security = parsed(clockEvent(EventAllDays, 1, 0), "Turn On @ 07:30 PM (Security)  On S.T.T.S");
    EXPECT_EQ(security.Flags, EventOn | EventClockTime | EventSecurity | EventSunday | EventTuesday | EventThursday | EventSaturday);
    EXPECT_EQ(security.Time, timeOfDay(19, 30));

    const Event dated = parsed(clockEvent(EventSecurity | EventAllDays, 1, 0), "7/4/07 & Every 3");
    EXPECT_EQ(dated.dayRule(), EventOnDate);
    EXPECT_EQ(dated.Date, secondsAt(2007, 7, 4));
    EXPECT_TRUE(dated.has(EventRepeatDays));
    EXPECT_EQ(dated.Repeat, 3);
    EXPECT_FALSE(dated.has(EventSecurity));

    EXPECT_EQ(parsed(datedEvent(), "7/4/99").Date, secondsAt(2099, 7, 4)) << "two-digit years are this century's";
    EXPECT_EQ(parsed(datedEvent(), "& Every 365").Repeat, 365) << "a whole year is the longest repeat";
    EXPECT_EQ(parsed(datedEvent(), "On .mtwtf.").Flags & (EventAllDays | EventOnDate), EventMonday | EventTuesday | EventWednesday | EventThursday | EventFriday)
        << "letters in either case make a dated event weekly";

    const Event even = parsed(clockEvent(EventSecurity | EventAllDays, 6, 15), "On Even Days");
    EXPECT_EQ(even.Flags & ~EventAllDays, EventOn | EventClockTime | EventEvenDays) << "its On is also the switch; no security";
}

TEST(EventTextParser, PhrasesNotRecognisedLeaveTheirFields)
{
    const Event weekly = clockEvent(EventOn | EventEvenDays, 6, 15);
    EXPECT_EQ(parsed(weekly, "(Security)"), weekly) << "security only for days of the week";
    EXPECT_EQ(parsed(weekly, "13/40/2007"), weekly);
    EXPECT_EQ(parsed(weekly, ""), weekly);
    EXPECT_EQ(parsed(weekly, "gibberish @ noon"), weekly);

    const Event on = parsed(clockEvent(EventOddDays, 6, 15), "on");
    EXPECT_EQ(on.Flags, EventOn | EventClockTime | EventOddDays) << "only the on flag changes";

    Event repeating = datedEvent();
    repeating.Flags |= EventRepeatDays;
    repeating.Repeat = 2;
    EXPECT_EQ(parsed(repeating, "& Every 400"), repeating);
    EXPECT_EQ(parsed(repeating, "& Every 0"), repeating) << "counts below 1 are refused";
    EXPECT_EQ(parsed(repeating, "& Every -3"), repeating);
    EXPECT_EQ(parsed(repeating, "Turn On @ 08:00 AM On 12/20/2026"), repeating) << "no clause does not clear it";
}

TEST(EventTextParser, TimesWithAndWithoutAmPm)
{
    struct Case {
        const char *text;
        int hour, minute;  // -1: not a time, the event keeps 06:15
    } cases[] = {
        {"7:30 pm", 19, 30}, {"7:30PM", 19, 30}, {"19:30", 19, 30}, {"7p", 19, 0},  {"12:15 am", 0, 15},
        {"12 am", 0, 0},     {"12 pm", 12, 0},   {"12:30 PM", 12, 30}, {"0 pm", 12, 0}, {"13 pm", -1, 0},
        {"24:00", -1, 0},    {"7:60", -1, 0},    {"7/4", -1, 0},     {"-5:00", -1, 0}, {"99999999999:00", -1, 0},
        {"13 pm sunset", -1, 0},  // not a time, and tried as the sun only after its am or pm
    };
    for (const Case &c : cases) {
        const Event event = parsed(clockEvent(EventAllDays, 6, 15), std::string("@ ") + c.text);
        const uint32_t expected = c.hour < 0 ? timeOfDay(6, 15) : timeOfDay(c.hour, c.minute);
        EXPECT_EQ(event.Time, expected) << c.text;
    }
}

TEST(EventTextParser, BrightnessFigureReadsBackAsEighths)
{
    EXPECT_EQ(parsed(clockEvent(EventAllDays, 6, 15), "Turn On 50.0% @ 7:30 PM").Brightness, 4);
    EXPECT_EQ(parsed(clockEvent(EventAllDays, 6, 15), "on 100% @ 7:30 PM").Brightness, 8);
    const Event notAnEighth = clockEvent(EventAllDays, 6, 15, 3);
    EXPECT_EQ(parsed(notAnEighth, "on 40% @ 7:30 PM").Brightness, 3);
    EXPECT_EQ(parsed(notAnEighth, "on 40% @ 7:30 PM").Time, timeOfDay(6, 15)) << "the rest of the text is not read";
}

TEST(EventTextParser, EveryDescriptionReadsBackToItsEvent)
{
    const uint16_t dayChoices[] = {EventAllDays, 0, EventSunday | EventSaturday, EventMonday | EventFriday, 0x3F00};
    const uint16_t kinds[] = {EventClockTime, EventSunrise, EventSunset};
    int checked = 0;
    for (const uint16_t kind : kinds)
        for (const uint16_t rule : {EventDaysOfWeek, EventOnDate, EventEvenDays, EventOddDays})
            for (const uint16_t days : dayChoices)
                for (const bool on : {true, false})
                    for (const uint16_t brightness : {uint16_t(1), uint16_t(4), uint16_t(8), uint16_t(9)})
                        for (const bool minus : {false, true}) {
                            Event event;
                            event.Flags = static_cast<uint16_t>(kind | rule | days | (on ? EventOn : 0)
                                                                | (minus ? EventOffsetMinus : 0));
                            if (rule == EventDaysOfWeek && brightness == 4)
                                event.Flags |= EventSecurity;
                            if (rule == EventOnDate && brightness != 9) {
                                event.Flags |= EventRepeatDays;
                                event.Repeat = brightness == 1 ? 1 : 17;
                            }
                            event.Brightness = brightness;
                            event.Time = timeOfDay(brightness * 2 + on, days % 60);
                            event.Adjust = kind == EventClockTime ? 0 : (brightness % 3) * 3600 + 5 * 60 * on;
                            event.Date = secondsAt(2026, 1 + brightness, 9 + brightness);
                            const std::string text = eventDescription(event);
                            const Event back = parsed(defaultEvent(secondsAt(2026, 12, 6, 14, 15, 7)), text);
                            EXPECT_EQ(eventDescription(back), text);
                            ++checked;
                        }
    EXPECT_EQ(checked, 3 * 4 * 5 * 2 * 4 * 2);
}
