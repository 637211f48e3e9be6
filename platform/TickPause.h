#pragma once

#include <ctime>

// A pause of `ticks` sixtieths of a second on the monotonic clock, scaled by the environment
// variable TAVORIN_TICK_SCALE (a positive number, default 1). `finalTicks`, when given, receives a
// tick count at the end, as the classic call does; nobody reads it.
void Delay(unsigned long ticks, unsigned long *finalTicks);

// The factor TAVORIN_TICK_SCALE asks for: 1 when unset, empty or not a positive number.
double tickScale();

// Pauses counted from one start, each ending at an absolute deadline on the monotonic clock: the
// k-th tick ends at start + k ticks however late the ones before it woke, so late wake-ups do not
// add up; a deadline already past does not wait at all.
class TickDeadlines {
public:
    // Now is the start.
    void restart();
    // Waits until the deadline `ticks` (scaled) after the last one.
    void waitTicks(unsigned long ticks);
    // Whether `ticks` (scaled) after the last deadline has passed, without waiting.
    bool passed(unsigned long ticks) const;

private:
    timespec after(unsigned long ticks) const;

    timespec deadline {};
};
