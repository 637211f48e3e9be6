#pragma once

#include <cstdint>
#include <termios.h>

// The one serial link to the CP290: plain functions over process-wide state.

extern char CP290DeviceFilePath[256];
extern int32_t CP290FileDescriptor;   // -1 while the link is closed
extern struct termios gOriginalTTYAttrs;
extern uint8_t CP290Close;            // 1: every command exchange closes the link when it ends
extern uint8_t CP290Verbose;          // 1: failures are reported in alerts
extern int CP290OpenError;            // errno of the last opening that failed; 0 once one succeeds

// Copies at most 255 characters of `path`; the new path takes effect at the next opening.
char *setCP290DeviceFilePath(const char *path);

// Opens the device raw at 600 baud for exclusive use; returns the descriptor or -1 (after the
// "Cannot Open Serial Device" alert).
int32_t openCP290();
// Puts the saved terminal settings back, closes the device and marks the link closed.
int closeCP290();

// Starts the pacing of a frame: the bytes sent from now on are counted from this moment.
void StartCP290Frame();
// One byte out, followed by a pause until one tick after the previous byte's deadline in the
// frame: the k-th byte's pause ends at the frame's start + k ticks, so a late wake-up is made up
// by the next byte instead of adding up; false when the write failed.
bool SendByte(uint8_t byte);
// One byte in, waiting up to 30 tries of 10 ticks; false when none came.
bool GetByte(uint8_t *destination);
// How long GetByte waits for a byte that does not come: what a silent device is given.
inline constexpr unsigned long GetByteTimeoutTicks = 30 * 10;
