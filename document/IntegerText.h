#pragma once

// An integer read as the C library's "%d" reads one (white space, a sign, digits), saturating at
// the ends of int instead of overflowing. Returns the characters taken, 0 when there is no number.
// The event text and the field formatters both read typed numbers this way.
int scanInteger(const char *text, int *value);
