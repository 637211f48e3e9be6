#include "document/FieldFormatters.h"

#include "document/IntegerText.h"
#include "driver/DeviceOperations.h"

#include <cstdio>

const char *const VekHouseCodes[16] = {"A", "B", "C", "D", "E", "F", "G", "H",
                                       "I", "J", "K", "L", "M", "N", "O", "P"};

namespace {

// The character just before the proposed caret, which is the one typed.
std::optional<char> typedCharacter(const std::string &proposed, TextSelection selection)
{
    if (selection.start < 1 || selection.start > static_cast<int>(proposed.size()))
        return std::nullopt;
    return proposed[selection.start - 1];
}

PartialCheck replacedBy(const std::string &text, TextSelection selection)
{
    return {false, text, selection};
}

PartialCheck wholeTextSelected(const std::string &text)
{
    return {false, text, {0, static_cast<int>(text.size())}};
}

// The integer at the start of the text and where it ends, or nothing.
std::optional<long> leadingInteger(const std::string &text, std::size_t *end)
{
    int value = 0;
    const int taken = scanInteger(text.c_str(), &value);
    if (taken == 0)
        return std::nullopt;
    *end = static_cast<std::size_t>(taken);
    return value;
}

}  // namespace

std::string houseCodeFormatter::stringForObjectValue(int64_t houseCode)
{
    return houseCode >= 0 && houseCode < 16 ? VekHouseCodes[houseCode] : "";
}

int64_t houseCodeFormatter::objectValueForString(const std::string &text)
{
    for (int64_t code = 0; code < 16; ++code)
        if (text == VekHouseCodes[code])
            return code;
    return 0;
}

PartialCheck houseCodeFormatter::isPartialStringValid(const std::string &proposed, TextSelection proposedSelection,
                                                      const std::string &, TextSelection)
{
    const auto typed = typedCharacter(proposed, proposedSelection);
    std::string text = proposed;
    if (typed && *typed >= 'A' && *typed <= 'P')
        text = std::string(1, *typed);
    else if (typed && *typed >= 'a' && *typed <= 'p')
        text = std::string(1, static_cast<char>(*typed - 'a' + 'A'));
    return replacedBy(text, {0, 1});
}

std::string moduleNumberFormatter::stringForObjectValue(int64_t unit)
{
    if (unit == CP290AllLightsUnit)
        return "All Lights";
    if (unit == CP290AllModulesUnit)
        return "All Modules";
    return std::to_string(unit);
}

int64_t moduleNumberFormatter::objectValueForString(const std::string &text)
{
    if (text == "All Modules")
        return CP290AllModulesUnit;
    if (text == "All Lights")
        return CP290AllLightsUnit;
    std::size_t end = 0;
    return leadingInteger(text, &end).value_or(0);
}

PartialCheck moduleNumberFormatter::isPartialStringValid(const std::string &proposed, TextSelection proposedSelection,
                                                         const std::string &, TextSelection)
{
    if (proposed == "m" || proposed == "M")
        return wholeTextSelected("All Modules");
    if (proposed == "l" || proposed == "L")
        return wholeTextSelected("All Lights");
    std::size_t end = 0;
    const auto number = leadingInteger(proposed, &end);
    if (number && end == proposed.size() && *number >= 1 && *number <= 16)
        return {true, proposed, proposedSelection};
    return wholeTextSelected(proposed);
}

std::string moduleTypeFormatter::stringForObjectValue(int64_t type)
{
    if (type == 0)
        return "Appliance";
    if (type == 1)
        return "Light";
    return "";
}

int64_t moduleTypeFormatter::objectValueForString(const std::string &text)
{
    if (text == "Appliance")
        return 0;
    if (text == "Light")
        return 1;
    return 2;
}

PartialCheck moduleTypeFormatter::isPartialStringValid(const std::string &proposed, TextSelection proposedSelection,
                                                       const std::string &, TextSelection)
{
    const auto typed = typedCharacter(proposed, proposedSelection);
    if (typed && (*typed == 'L' || *typed == 'l'))
        return wholeTextSelected("Light");
    if (typed && (*typed == 'A' || *typed == 'a'))
        return wholeTextSelected("Appliance");
    return wholeTextSelected(proposed);
}

std::string timeOffsetFormatter::stringForObjectValue(const DateTimeRec &offset)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", offset.hour % 100, offset.minute % 100);
    return text;
}

std::optional<DateTimeRec> timeOffsetFormatter::objectValueForString(const std::string &text)
{
    std::size_t end = 0;
    const auto first = leadingInteger(text, &end);
    if (!first)
        return std::nullopt;
    if (end < text.size() && text[end] == ':') {
        std::size_t minuteEnd = 0;
        const auto minutes = leadingInteger(text.substr(end + 1), &minuteEnd);
        if (minutes) {
            if (end + 1 + minuteEnd != text.size() || *first < 0 || *first > 23 || *minutes < 0 || *minutes > 59)
                return std::nullopt;
            return makeDateTimeRec(0, 0, 0, static_cast<int>(*first), static_cast<int>(*minutes));
        }
    }
    if (end != text.size() || *first < 0 || *first > 59)
        return std::nullopt;
    return makeDateTimeRec(0, 0, 0, 0, static_cast<int>(*first));
}

std::string timeOffsetSignFormatter::stringForObjectValue(const std::string &sign)
{
    return sign;
}

std::string timeOffsetSignFormatter::objectValueForString(const std::string &text)
{
    return text;
}

PartialCheck timeOffsetSignFormatter::isPartialStringValid(const std::string &proposed, TextSelection proposedSelection,
                                                           const std::string &, TextSelection)
{
    const auto typed = typedCharacter(proposed, proposedSelection);
    if (typed && (*typed == '-' || *typed == '_'))
        return replacedBy("-", {0, 1});
    if (typed && (*typed == '+' || *typed == '='))
        return replacedBy("+", {0, 1});
    return replacedBy(proposed, {0, 1});
}
