#pragma once

#include "model/Records.h"

#include <vector>

// A document's events into the CP290: the walk from the last module's last event, the status
// sheet while the records go out, and the alerts of a download that did not happen.

enum class DownloadOutcome {
    Sent,           // the records went out
    NothingDue,     // no record is due today: nothing was sent, the CP290 keeps what it had
    NoEvents,       // the document holds no event: "There are no events to send."
    TooManyEvents,  // more than 128 records: nothing was sent
    Failed,         // a command failed: "Sending events failed."
};

// Builds the records of every event into the driver's buffer without sending anything. False
// when they do not fit; `anyEvent` tells whether the document holds an event at all.
bool encodeDocumentEvents(const std::vector<Module> &modules, const ClassicEventRepeat &repeat, bool *anyEvent);

// Encodes and sends, with the status sheet "Sending events to CP290..." up while sending.
DownloadOutcome downloadDocumentEvents(const std::vector<Module> &modules, const ClassicEventRepeat &repeat);

// Whether the user defaults "Modules" and "EventRepeat" are to be written after this outcome.
// What the command line and the helper say of a download that sent nothing though it succeeded.
inline constexpr char NothingDueText[] = "There are no events to send today; the CP290 keeps the events it has.";

inline bool remembersDownload(DownloadOutcome outcome)
{
    return outcome == DownloadOutcome::Sent || outcome == DownloadOutcome::NothingDue || outcome == DownloadOutcome::NoEvents;
}
