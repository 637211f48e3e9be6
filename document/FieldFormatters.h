#pragma once

#include "platform/DateTime.h"

#include <cstdint>
#include <optional>
#include <string>

// The rules of the five field formatters: the text of a value, the value of a finished text, and
// the check after each keystroke. A cell holds exactly one legal value; a single key replaces the
// whole text with the value it stands for, and anything else is refused.

struct TextSelection {
    int start = 0;
    int length = 0;
    friend bool operator==(const TextSelection &, const TextSelection &) = default;
};

// The answer to a keystroke. Accepted: the proposed text stands. Not accepted: the field shows
// `text` with `selection`; when `text` is the proposed text unchanged the keystroke is refused and
// the field keeps what it had.
struct PartialCheck {
    bool accepted = false;
    std::string text;
    TextSelection selection;
    friend bool operator==(const PartialCheck &, const PartialCheck &) = default;
};

// A keystroke with no character before the caret (a deletion back to the start) is refused by
// every check that looks at the typed character.

struct houseCodeFormatter {
    static std::string stringForObjectValue(int64_t houseCode);
    static int64_t objectValueForString(const std::string &text);  // 0 for a text not in the list
    static PartialCheck isPartialStringValid(const std::string &proposed, TextSelection proposedSelection,
                                             const std::string &original, TextSelection originalSelection);
};

struct moduleNumberFormatter {
    static std::string stringForObjectValue(int64_t unit);
    static int64_t objectValueForString(const std::string &text);  // 0 for a text without a number
    static PartialCheck isPartialStringValid(const std::string &proposed, TextSelection proposedSelection,
                                             const std::string &original, TextSelection originalSelection);
};

struct moduleTypeFormatter {
    static std::string stringForObjectValue(int64_t type);
    static int64_t objectValueForString(const std::string &text);
    static PartialCheck isPartialStringValid(const std::string &proposed, TextSelection proposedSelection,
                                             const std::string &original, TextSelection originalSelection);
};

struct timeOffsetFormatter {
    static std::string stringForObjectValue(const DateTimeRec &offset);
    // Hours and minutes ("1:30") or minutes alone ("45"); nothing for a text to refuse.
    static std::optional<DateTimeRec> objectValueForString(const std::string &text);
};

struct timeOffsetSignFormatter {
    static std::string stringForObjectValue(const std::string &sign);
    static std::string objectValueForString(const std::string &text);
    static PartialCheck isPartialStringValid(const std::string &proposed, TextSelection proposedSelection,
                                             const std::string &original, TextSelection originalSelection);
};

// The application's list of house codes: "A" to "P".
extern const char *const VekHouseCodes[16];
