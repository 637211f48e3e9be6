#pragma once

#include "driver/CommandExchange.h"

#include <optional>
#include <string>
#include <vector>

struct DateTimeRec;

// The text of the "Events From CP290" window for the records an upload left in `records`
// (bytes 2 to 9 of each; 0xFF in byte 2 marks an empty record), headed with the time `now`.
std::string storedEventListingText(const uint8_t (&records)[CP290TimerRecordCount][CP290TimerRecordSize],
                                   const DateTimeRec &now);

// One line per stored record, sorted as the listing shows them; nothing when a function byte is
// not one the CP290 knows (the listing is then garbled).
std::optional<std::string> storedEventLines(const uint8_t (&records)[CP290TimerRecordCount][CP290TimerRecordSize]);

// The numbers of the stored records in the order the listing shows them: by time of day, records
// of one minute last first.
std::vector<int> storedRecordOrder(const uint8_t (&records)[CP290TimerRecordCount][CP290TimerRecordSize]);

// The heading alone, which the window shows while the upload runs.
std::string storedEventListingHeading(const DateTimeRec &now);
