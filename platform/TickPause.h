#pragma once

// A pause of `ticks` sixtieths of a second on the monotonic clock, scaled by the environment
// variable TAVORIN_TICK_SCALE (a positive number, default 1). `finalTicks`, when given, receives a
// tick count at the end, as the classic call does; nobody reads it.
void Delay(unsigned long ticks, unsigned long *finalTicks);

// The factor TAVORIN_TICK_SCALE asks for: 1 when unset, empty or not a positive number.
double tickScale();
