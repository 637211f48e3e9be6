#pragma once

#include "model/Records.h"

#include <string>

// Typed event text read back into an event by a forgiving grammar of phrases: each phrase that
// is recognised sets the fields it speaks of, anything else leaves the event as it was.
// Every description the outline writes reads back to the event it describes.
void readEventText(const std::string &text, Event &event);

// The reader itself; its state lives for one reading, so two documents never share it.
class EventTextReader {
public:
    EventTextReader(const std::string &text, Event &event);
    void read();

    // A time at cp ("7:30 pm", "19:30", "7p"; without am and pm only "1:30" or "45") into hours
    // and minutes; cp moves past it only when it is one.
    bool foundTime(bool amPmAllowed);
    const char *skipBlanks();
    // Whether the whole text is one time as foundTime reads it with am and pm, blanks around it
    // allowed; the time is then in hour() and minute().
    bool wholeTextIsTime();
    int hour() const { return hours; }
    int minute() const { return minutes; }

private:
    bool begins(const char *phrase) const;
    void readOnOff();
    void readBrightness();
    void readTime();
    void readOffset();
    void readSecurity();  // only for events on days of the week
    void readDays();
    void readDate();
    void readRepetition();

    std::string text;  // a copy ending in NUL: reading never runs past it
    const char *cp;
    int hours = 0;
    int minutes = 0;
    DateTimeRec dateTimeRec;
    Event &event;
};
