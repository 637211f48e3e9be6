#include "driver/StoredEventListing.h"

#include "driver/DeviceOperations.h"
#include "driver/TimerRecordFields.h"
#include "platform/DateTime.h"

#include <cstdio>
#include <optional>
#include <vector>

namespace {

constexpr char GarbledListing[] = "Events from CP290 garbled; Try sending events again.";

std::string unitsText(const TimerRecordFields &record)
{
    if (record.functionByte == CP290FunctionAllLightsOn)
        return "All Light Modules";
    if (record.functionByte == CP290FunctionAllModulesOff)
        return "All Modules";
    std::string text;
    for (const int unit : record.units())
        text += std::to_string(unit) + " ";
    return text;
}

std::optional<std::string> functionText(const TimerRecordFields &record)
{
    if (!record.function())
        return std::nullopt;
    const int brightness = record.brightness();
    if (brightness == 0)
        return "Off";
    if (brightness == 9)
        return "On";
    char text[16];
    std::snprintf(text, sizeof text, "On %.1f%%", brightness * 12.5);
    return text;
}

std::string daysText(const TimerRecordFields &record)
{
    constexpr uint8_t EveryDay = 0x7F;
    if (record.modeByte == CP290ModeTomorrow)
        return "Tomorrow";
    if (record.modeByte == CP290ModeToday)
        return "Today";
    if (record.dayBits == EveryDay)
        return "Every Day";
    static const struct { uint8_t bit; char letter; } week[] = {
        {0x40, 'S'}, {0x01, 'M'}, {0x02, 'T'}, {0x04, 'W'}, {0x08, 'T'}, {0x10, 'F'}, {0x20, 'S'}};
    std::string text;
    for (const auto &day : week)
        text += (record.dayBits & day.bit) ? day.letter : ' ';
    return text;
}

}  // namespace

// Record numbers ordered by time of day: each is put before the first listed record whose hour is
// later, or equal with a minute later or the same, so records of one minute come out last first.
std::vector<int> storedRecordOrder(const uint8_t (&records)[CP290TimerRecordCount][CP290TimerRecordSize])
{
    std::vector<int> order;
    for (int number = 0; number < CP290TimerRecordCount; ++number) {
        const TimerRecordFields record = timerRecordFields(records[number]);
        if (record.empty())
            continue;
        auto position = order.begin();
        while (position != order.end()) {
            const TimerRecordFields listed = timerRecordFields(records[*position]);
            if (listed.hour > record.hour || (listed.hour == record.hour && listed.minute >= record.minute))
                break;
            ++position;
        }
        order.insert(position, number);
    }
    return order;
}

std::string storedEventListingHeading(const DateTimeRec &now)
{
    return "Events from CP290 as of " + formatListingDateTime(now) + ":\n\n";
}

std::optional<std::string> storedEventLines(const uint8_t (&records)[CP290TimerRecordCount][CP290TimerRecordSize])
{
    std::string lines;
    for (const int number : storedRecordOrder(records)) {
        const TimerRecordFields record = timerRecordFields(records[number]);
        const std::optional<std::string> function = functionText(record);
        if (!function)
            return std::nullopt;
        const int hour12 = record.hour == 0 ? 12 : record.hour > 12 ? record.hour - 12 : record.hour;
        char line[160];
        std::snprintf(line, sizeof line, "%c-%s Turn %s @ %d:%02d %cM%s %8s\n", record.house(),
                      unitsText(record).c_str(), function->c_str(), hour12, record.minute,
                      record.hour < 12 ? 'A' : 'P', record.modeByte == CP290ModeSecurity ? " (Security)" : "",
                      daysText(record).c_str());
        lines += line;
    }
    return lines;
}

std::string storedEventListingText(const uint8_t (&records)[CP290TimerRecordCount][CP290TimerRecordSize],
                                   const DateTimeRec &now)
{
    const std::optional<std::string> lines = storedEventLines(records);
    if (!lines)
        return GarbledListing;
    return storedEventListingHeading(now) + (lines->empty() ? "None." : *lines);
}
