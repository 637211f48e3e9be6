#include "driver/TimerRecordFields.h"

#include "driver/DeviceOperations.h"

#include <cstdio>

namespace {

// The day bits in the order of the week as the listing writes it, Sunday first.
constexpr struct { uint8_t bit; const char *name; } Week[] = {
    {0x40, "Sun"}, {0x01, "Mon"}, {0x02, "Tue"}, {0x04, "Wed"}, {0x08, "Thu"}, {0x10, "Fri"}, {0x20, "Sat"}};

}  // namespace

TimerRecordFields timerRecordFields(const uint8_t (&record)[CP290TimerRecordSize])
{
    return {record[2], record[3], record[4], record[5], record[6], record[7], record[8], record[9]};
}

std::string timerRecordHex(const uint8_t (&record)[CP290TimerRecordSize])
{
    std::string text;
    for (int i = 0; i < CP290TimerRecordSize; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, i ? " %02x" : "%02x", record[i]);
        text += hex;
    }
    return text;
}

char TimerRecordFields::house() const
{
    for (int index = 0; index < 16; ++index)
        if (CP290HouseCodeBytes[index] == houseByte)
            return static_cast<char>('A' + index);
    return '?';
}

std::vector<int> TimerRecordFields::units() const
{
    std::vector<int> numbers;
    for (int unit = 1; unit <= 16; ++unit)
        if ((unit <= 8 ? units1to8 : units9to16) & (0x80 >> ((unit - 1) % 8)))
            numbers.push_back(unit);
    return numbers;
}

std::optional<std::string> TimerRecordFields::function() const
{
    switch (functionByte) {
    case CP290FunctionAllModulesOff:
        return "all modules off";
    case CP290FunctionAllLightsOn:
        return "all lights on";
    case CP290FunctionOn:
        return "on";
    case CP290FunctionOff:
        return "off";
    default:
        return brightness() ? std::optional<std::string>("dim") : std::nullopt;
    }
}

int TimerRecordFields::brightness() const
{
    if (functionByte == CP290FunctionOn || functionByte == CP290FunctionAllLightsOn)
        return 9;
    for (int level = 1; level <= 8; ++level)
        if (CP290LevelBytes[level] == functionByte)
            return level;
    return 0;
}

std::string TimerRecordFields::mode() const
{
    switch (modeByte) {
    case CP290ModeSecurity:
        return "security";
    case CP290ModeToday:
        return "today";
    case CP290ModeTomorrow:
        return "tomorrow";
    default:
        return "normal";
    }
}

std::vector<std::string> TimerRecordFields::days() const
{
    std::vector<std::string> names;
    for (const auto &day : Week)
        if (dayBits & day.bit)
            names.push_back(day.name);
    return names;
}
