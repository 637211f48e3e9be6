#include "document/EventTextParser.h"

#include "document/IntegerText.h"

#include <cmath>
#include <cstring>
#include <strings.h>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Three integers separated by `separator`, as "%d/%d/%d%n" reads them; the characters taken, or 0.
int scanThree(const char *p, char separator, int *first, int *second, int *third)
{
    const char *start = p;
    int taken = scanInteger(p, first);
    if (!taken || p[taken] != separator)
        return 0;
    p += taken + 1;
    taken = scanInteger(p, second);
    if (!taken || p[taken] != separator)
        return 0;
    p += taken + 1;
    taken = scanInteger(p, third);
    if (!taken)
        return 0;
    return static_cast<int>(p + taken - start);
}

constexpr uint16_t TimeKinds = EventSunrise | EventSunset | EventClockTime;

}  // namespace

void readEventText(const std::string &text, Event &event)
{
    EventTextReader(text, event).read();
}

EventTextReader::EventTextReader(const std::string &typed, Event &target)
    : text(typed.c_str()), cp(text.c_str()), event(target)
{
}

const char *EventTextReader::skipBlanks()
{
    while (*cp == ' ')
        ++cp;
    return cp;
}

bool EventTextReader::begins(const char *phrase) const
{
    return strncasecmp(cp, phrase, std::strlen(phrase)) == 0;
}

bool EventTextReader::foundTime(bool amPmAllowed)
{
    skipBlanks();
    if (*cp == '+' || *cp == '-')
        return false;
    int taken = scanInteger(cp, &hours);
    if (taken && cp[taken] == ':') {
        const int minuteTaken = scanInteger(cp + taken + 1, &minutes);
        if (minuteTaken) {
            if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59)
                return false;
            cp += taken + 1 + minuteTaken;
            taken = -1;
        }
    }
    if (taken != -1) {
        if (!taken || hours < 0 || hours > 23)
            return false;
        minutes = 0;
        cp += taken;
        if (*cp == '/' || *cp == '-') {
            cp -= taken;  // the number begins a date, not a time
            return false;
        }
    }
    if (!amPmAllowed)
        return true;
    skipBlanks();
    if (begins("am") || *cp == 'a') {
        cp += begins("am") ? 2 : 1;
        if (hours == 12)
            hours = 0;
    } else if (begins("pm") || *cp == 'p') {
        cp += begins("pm") ? 2 : 1;
        if (hours != 12)
            hours += 12;
    }
    return hours <= 23;
}

bool EventTextReader::wholeTextIsTime()
{
    if (!foundTime(true))
        return false;
    return *skipBlanks() == '\0';
}

void EventTextReader::readOnOff()
{
    skipBlanks();
    if (begins("on")) {
        event.Flags |= EventOn;
        cp += 2;
    } else if (begins("off")) {
        event.Flags &= ~EventOn;
        cp += 3;
    }
}

// The figure the outline writes between "On" and "@" for a dimmed event, in eighths of full
// brightness: "50.0%" is 4.
void EventTextReader::readBrightness()
{
    skipBlanks();
    const char *p = cp;
    double percent = 0;
    for (int digits = 0; isDigit(*p) && digits < 4; ++digits, ++p)
        percent = percent * 10 + (*p - '0');
    if (p == cp)
        return;
    if (*p == '.') {
        double scale = 0.1;
        for (++p; isDigit(*p); ++p, scale /= 10)
            percent += (*p - '0') * scale;
    }
    if (*p != '%')
        return;
    const double eighths = percent / 12.5;
    const long level = std::lround(eighths);
    if (level < 1 || level > 8 || std::fabs(eighths - double(level)) > 0.05)
        return;
    event.Brightness = static_cast<uint16_t>(level);
    cp = p + 1;
}

void EventTextReader::readTime()
{
    if (foundTime(true)) {
        event.Flags = static_cast<uint16_t>((event.Flags & ~(TimeKinds | EventSecurity | EventOffsetMinus)) | EventClockTime);
        dateTimeRec = makeDateTimeRec(0, 0, 0, hours, minutes);
        event.Time = DateToSeconds(dateTimeRec);
        skipBlanks();
    } else if (begins("sunset")) {
        event.Flags = static_cast<uint16_t>((event.Flags & ~(TimeKinds | EventSecurity | EventOffsetMinus)) | EventSunset);
        event.Adjust = 0;
        cp += 6;
    } else if (begins("sunrise")) {
        event.Flags = static_cast<uint16_t>((event.Flags & ~(TimeKinds | EventSecurity | EventOffsetMinus)) | EventSunrise);
        event.Adjust = 0;
        cp += 7;
    }
}

void EventTextReader::readOffset()
{
    if (!event.has(EventSunrise) && !event.has(EventSunset))
        return;
    skipBlanks();
    if (*cp == '+') {
        event.Flags &= ~EventOffsetMinus;
        ++cp;
    }
    skipBlanks();
    if (*cp == '-') {
        event.Flags |= EventOffsetMinus;
        ++cp;
    }
    if (foundTime(false))
        event.Adjust = static_cast<uint32_t>(hours * 3600 + minutes * 60);
}

void EventTextReader::readSecurity()
{
    skipBlanks();
    if (event.dayRule() != EventDaysOfWeek)
        return;
    if (begins("(Security)") || begins("Security")) {
        event.Flags |= EventSecurity;
        cp += *cp == '(' ? 10 : 8;
    }
}

void EventTextReader::readDate()
{
    int month = 0, day = 0, year = 0;
    int taken = scanThree(cp, '/', &month, &day, &year);
    if (!taken)
        taken = scanThree(cp, '-', &month, &day, &year);
    if (!taken)
        return;
    if (year <= 99)
        year += 2000;
    if (month >= 1 && month <= 12 && day >= 1 && day <= 31) {
        event.Flags = static_cast<uint16_t>((event.Flags & ~(EventSecurity | EventDaysMask)) | EventOnDate);
        dateTimeRec = makeDateTimeRec(year, month, day);
        event.Date = DateToSeconds(dateTimeRec);
    }
    cp += taken;
}

void EventTextReader::readDays()
{
    skipBlanks();
    if (begins("On")) {
        cp += 2;
        skipBlanks();
    }
    if (begins("Even")) {
        event.Flags = static_cast<uint16_t>((event.Flags & ~(EventSecurity | EventDaysMask)) | EventEvenDays);
    } else if (begins("Odd")) {
        event.Flags = static_cast<uint16_t>((event.Flags & ~(EventSecurity | EventDaysMask)) | EventOddDays);
    } else if (begins("Every Day") || strcasecmp(cp, "Every") == 0) {
        event.Flags = static_cast<uint16_t>((event.Flags & ~EventDaysMask) | EventDaysOfWeek | EventAllDays);
    } else if (std::strlen(cp) > 6 && (*cp == '.' || *cp == 'S' || *cp == 's')) {
        static const struct { uint16_t bit; char letter; } week[] = {
            {EventSunday, 'S'},   {EventMonday, 'M'}, {EventTuesday, 'T'}, {EventWednesday, 'W'},
            {EventThursday, 'T'}, {EventFriday, 'F'}, {EventSaturday, 'S'}};
        for (int position = 0; position < 7; ++position) {
            const char c = cp[position];
            if (c == week[position].letter || c == week[position].letter + ('a' - 'A'))
                event.Flags |= week[position].bit;
            else
                event.Flags &= static_cast<uint16_t>(~week[position].bit);
        }
        // Days of the week typed for an event of another rule mean the days of the week.
        event.Flags &= static_cast<uint16_t>(~EventDaysMask);
        cp += 6;
    } else {
        readDate();
    }
}

void EventTextReader::readRepetition()
{
    skipBlanks();
    const bool dated = event.dayRule() == EventOnDate;
    if (dated && begins("& Every"))
        cp += 7;
    else if (*cp == '&')
        cp += 1;
    else if (dated && begins("Every"))
        cp += 5;
    else
        return;
    skipBlanks();
    int count = 0;
    if (scanInteger(cp, &count) && count >= 1 && count <= 365) {
        event.Flags |= EventRepeatDays;
        event.Repeat = static_cast<uint16_t>(count);
    }
}

void EventTextReader::read()
{
    skipBlanks();
    if (begins("turn"))
        cp += 4;
    readOnOff();
    readBrightness();
    skipBlanks();
    if (*cp == '@')
        ++cp;
    readTime();
    readOffset();
    readSecurity();
    readDays();
    readRepetition();
}
