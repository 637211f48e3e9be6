#include "tools/emulator/TimerFiring.h"

#include <cstdio>

namespace {

constexpr int MinutesPerDay = 24 * 60;

bool dayMapHas(const StoredTimerRecord &record, int weekday)
{
    return record[StoredRecordByte::Days] & (1 << ((weekday + 7) % 7));
}

char houseLetter(uint8_t house)
{
    // The X10 house codes in letter order, as the box expects them in the high four bits.
    static const uint8_t codes[16] = {0x60, 0xE0, 0x20, 0xA0, 0x10, 0x90, 0x50, 0xD0,
                                      0x70, 0xF0, 0x30, 0xB0, 0x00, 0x80, 0x40, 0xC0};
    for (int letter = 0; letter < 16; ++letter)
        if (codes[letter] == (house & 0xF0))
            return static_cast<char>('A' + letter);
    return '?';
}

}  // namespace

bool recordFiresAt(const StoredTimerRecord &record, const BoxTime &time, int securityDelayToday,
                   int securityDelayYesterday)
{
    const int recordMinute = record[StoredRecordByte::Hour] * 60 + record[StoredRecordByte::Minute];
    const int now = time.hour * 60 + time.minute;
    switch (record[StoredRecordByte::Mode]) {
    case BoxMode::Today:
        return now == recordMinute;
    case BoxMode::Normal:
        return now == recordMinute && dayMapHas(record, time.weekday);
    case BoxMode::Security: {
        const int scheduledToday = recordMinute + securityDelayToday;
        const int carriedFromYesterday = recordMinute + securityDelayYesterday - MinutesPerDay;
        return (scheduledToday < MinutesPerDay && now == scheduledToday && dayMapHas(record, time.weekday))
            || (carriedFromYesterday >= 0 && now == carriedFromYesterday && dayMapHas(record, time.weekday - 1));
    }
    default:
        return false;
    }
}

void startNewDay(StoredTimerRecord &record)
{
    uint8_t &mode = record[StoredRecordByte::Mode];
    if (mode == BoxMode::Today)
        record.fill(BoxMode::Empty);
    else if (mode == BoxMode::Tomorrow)
        mode = BoxMode::Today;
}

std::string describeSwitching(uint8_t house, uint8_t units1To8, uint8_t units9To16, uint8_t function)
{
    std::string text(1, houseLetter(house));
    switch (function & 0x0F) {
    case 0x00:
        return text + " all units off";
    case 0x01:
        return text + " all lights on";
    default:
        break;
    }
    std::string units;
    for (int unit = 1; unit <= 16; ++unit) {
        const uint8_t map = unit <= 8 ? units1To8 : units9To16;
        if (map & (0x80 >> ((unit - 1) % 8)))
            units += (units.empty() ? "" : ",") + std::to_string(unit);
    }
    text += units.empty() ? "-" : units;
    switch (function & 0x0F) {
    case 0x02:
        return text + " on";
    case 0x03:
        return text + " off";
    case 0x05: {
        // Level 0 is the brightest of the sixteen dim levels, which the box steps two at a time.
        char dim[32];
        std::snprintf(dim, sizeof dim, " dim %g%%", (16 - (function >> 4)) * 6.25);
        return text + dim;
    }
    default: {
        char unknown[32];
        std::snprintf(unknown, sizeof unknown, " function 0x%02X", function);
        return text + unknown;
    }
    }
}

std::string describeBoxTime(const BoxTime &time)
{
    static const char *const names[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    char text[16];
    std::snprintf(text, sizeof text, "%s %02d:%02d", names[((time.weekday % 7) + 7) % 7], time.hour, time.minute);
    return text;
}
