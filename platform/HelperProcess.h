#pragma once

#include "platform/HelperBundle.h"

#include <optional>
#include <string>
#include <sys/types.h>

// The helper writes its process number under "Process ID" in its preferences; the application
// stops it with signal 15. That number is only a hint: the helper may have died without clearing
// it, the number may since belong to another program, and the file may hold anything at all.

// The process `recorded` names, when it is one to signal: a decimal number greater than 1, a
// running process of this user, whose program (or, failing that, its command line's first word)
// is the helper's. `proc` is where the system shows its processes.
std::optional<pid_t> trustedHelperProcess(const std::string &recorded, const std::string &proc = "/proc");

// The helper the preferences name, when they name one; a record that names no helper is cleared,
// so that a later start never signals its number.
std::optional<pid_t> recordedHelperProcess();
// Signal 15 to that helper; a failed signal clears the record too. True when it was sent.
bool stopHelperProcess(pid_t helper);
// Both: stops the helper the preferences name, if any.
bool stopRecordedHelper();
// The same, then waits up to `milliseconds` for it to be gone, so that a helper started next does
// not find the old one still holding its lock. False when it outlived the wait.
bool stopRecordedHelperAndWait(int milliseconds);
