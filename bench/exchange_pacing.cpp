// Measures a download-sized run of exchanges against the emulated box at real pacing and compares
// it with the floor the pacing sets: one tick after every byte sent. A pseudo-terminal adds no baud
// time, so the ratio shows what the driver adds of its own. Usage: bench-exchange-pacing [RECORDS]

#include "driver/CommandExchange.h"
#include "driver/SerialLink.h"
#include "tools/emulator/CP290Emulator.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char **argv)
{
    const int records = argc > 1 ? std::atoi(argv[1]) : 100;
    if (records < 1 || records > CP290TimerRecordCount) {
        std::fprintf(stderr, "usage: bench-exchange-pacing [RECORDS 1-128]\n");
        return 2;
    }
    setenv("TAVORIN_TICK_SCALE", "1", 1);

    CP290Emulator box;
    std::string error;
    if (!box.start(&error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    setCP290DeviceFilePath(box.devicePath().c_str());

    constexpr int BytesPerRecordFrame = 16 + 1 + 10 + 1;
    CP290Close = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int number = 0; number < records; ++number) {
        const uint8_t record[10] = {static_cast<uint8_t>(number * 8), static_cast<uint8_t>(number * 8 >> 8),
                                    0x08, 0x7F, static_cast<uint8_t>(number % 24), static_cast<uint8_t>(number % 60),
                                    0x80, 0x00, 0x60, 0x02};
        if (!SendCP290Command(3, record, sizeof record)) {
            std::fprintf(stderr, "record %d was not acknowledged\n", number);
            return 1;
        }
    }
    const double measured = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    CP290Close = 1;
    closeCP290();

    const double floor = records * BytesPerRecordFrame / 60.0;
    const double ratio = measured / floor;
    std::printf("%d records: %.3f s measured, %.3f s pacing floor, ratio %.4f (%s 1.05)\n", records, measured, floor,
                ratio, ratio < 1.05 ? "under" : "NOT under");
    return ratio < 1.05 ? 0 : 1;
}
