#include "driver/StoredEventListing.h"

#include "driver/DeviceOperations.h"
#include "platform/DateTime.h"

#include <cstdio>
#include <optional>
#include <vector>

namespace {

constexpr char GarbledListing[] = "Events from CP290 garbled; Try sending events again.";

struct StoredRecord {
    uint8_t mode, days, hour, minute, units1to8, units9to16, house, function;
};

StoredRecord storedRecord(const uint8_t (&bytes)[CP290TimerRecordSize])
{
    return {bytes[2], bytes[3], bytes[4], bytes[5], bytes[6], bytes[7], bytes[8], bytes[9]};
}

// Record numbers ordered by time of day: each is put before the first listed record whose hour is
// later, or equal with a minute later or the same, so records of one minute come out last first.
std::vector<int> recordsByTimeOfDay(const uint8_t (&records)[CP290TimerRecordCount][CP290TimerRecordSize])
{
    std::vector<int> order;
    for (int number = 0; number < CP290TimerRecordCount; ++number) {
        const StoredRecord record = storedRecord(records[number]);
        if (record.mode == CP290EmptyRecordMark)
            continue;
        auto position = order.begin();
        while (position != order.end()) {
            const StoredRecord listed = storedRecord(records[*position]);
            if (listed.hour > record.hour || (listed.hour == record.hour && listed.minute >= record.minute))
                break;
            ++position;
        }
        order.insert(position, number);
    }
    return order;
}

char houseLetter(uint8_t houseByte)
{
    for (int index = 0; index < 16; ++index)
        if (CP290HouseCodeBytes[index] == houseByte)
            return static_cast<char>('A' + index);
    return '?';
}

std::string unitsText(const StoredRecord &record)
{
    if (record.function == CP290FunctionAllLightsOn)
        return "All Light Modules";
    if (record.function == CP290FunctionAllModulesOff)
        return "All Modules";
    std::string text;
    for (int unit = 1; unit <= 16; ++unit) {
        const uint8_t bitmap = unit <= 8 ? record.units1to8 : record.units9to16;
        if (bitmap & (0x80 >> ((unit - 1) % 8)))
            text += std::to_string(unit) + " ";
    }
    return text;
}

std::optional<std::string> functionText(uint8_t function)
{
    switch (function) {
    case CP290FunctionAllModulesOff:
    case CP290FunctionOff:
        return "Off";
    case CP290FunctionAllLightsOn:
    case CP290FunctionOn:
        return "On";
    default:
        break;
    }
    for (int brightness = 1; brightness <= 8; ++brightness) {
        if (CP290LevelBytes[brightness] == function) {
            char text[16];
            std::snprintf(text, sizeof text, "On %.1f%%", brightness * 12.5);
            return text;
        }
    }
    return std::nullopt;
}

std::string daysText(const StoredRecord &record)
{
    constexpr uint8_t EveryDay = 0x7F;
    if (record.mode == CP290ModeTomorrow)
        return "Tomorrow";
    if (record.mode == CP290ModeToday)
        return "Today";
    if (record.days == EveryDay)
        return "Every Day";
    static const struct { uint8_t bit; char letter; } week[] = {
        {0x40, 'S'}, {0x01, 'M'}, {0x02, 'T'}, {0x04, 'W'}, {0x08, 'T'}, {0x10, 'F'}, {0x20, 'S'}};
    std::string text;
    for (const auto &day : week)
        text += (record.days & day.bit) ? day.letter : ' ';
    return text;
}

}  // namespace

std::string storedEventListingHeading(const DateTimeRec &now)
{
    return "Events from CP290 as of " + formatListingDateTime(now) + ":\n\n";
}

std::optional<std::string> storedEventLines(const uint8_t (&records)[CP290TimerRecordCount][CP290TimerRecordSize])
{
    std::string lines;
    for (const int number : recordsByTimeOfDay(records)) {
        const StoredRecord record = storedRecord(records[number]);
        const std::optional<std::string> function = functionText(record.function);
        if (!function)
            return std::nullopt;
        const int hour12 = record.hour == 0 ? 12 : record.hour > 12 ? record.hour - 12 : record.hour;
        char line[160];
        std::snprintf(line, sizeof line, "%c-%s Turn %s @ %d:%02d %cM%s %8s\n", houseLetter(record.house),
                      unitsText(record).c_str(), function->c_str(), hour12, record.minute,
                      record.hour < 12 ? 'A' : 'P', record.mode == CP290ModeSecurity ? " (Security)" : "",
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
