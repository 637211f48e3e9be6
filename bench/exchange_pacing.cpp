// Measures download-sized runs of exchanges against the emulated box at real pacing and compares
// each with the floor the pacing sets: one tick after every byte sent. A pseudo-terminal adds no
// baud time, so the ratio shows what the driver adds of its own. 40 and 100 records, each on a
// quiet machine and with a busy loop on every core; every ratio must stay at or under 1.02.
// Usage: bench-exchange-pacing [RECORDS...]

#include "driver/CommandExchange.h"
#include "driver/SerialLink.h"
#include "tools/emulator/CP290Emulator.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr double RatioBound = 1.02;

// The time `records` timer records take to send, in seconds, or a negative number on a failure.
double sendRecords(int records)
{
    CP290Close = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int number = 0; number < records; ++number) {
        const uint8_t record[10] = {static_cast<uint8_t>(number * 8), static_cast<uint8_t>(number * 8 >> 8),
                                    0x08, 0x7F, static_cast<uint8_t>(number % 24), static_cast<uint8_t>(number % 60),
                                    0x80, 0x00, 0x60, 0x02};
        if (!SendCP290Command(3, record, sizeof record)) {
            std::fprintf(stderr, "record %d was not acknowledged\n", number);
            return -1;
        }
    }
    const double measured = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    CP290Close = 1;
    closeCP290();
    return measured;
}

// One process spinning on each core, until they are ended.
class BusyCores {
public:
    BusyCores()
    {
        for (long core = sysconf(_SC_NPROCESSORS_ONLN); core > 0; --core) {
            const pid_t child = fork();
            if (child == 0)
                for (volatile unsigned long spin = 0;;)
                    spin = spin + 1;
            if (child > 0)
                children.push_back(child);
        }
    }
    ~BusyCores()
    {
        for (const pid_t child : children) {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
        }
    }
    std::size_t count() const { return children.size(); }

private:
    std::vector<pid_t> children;
};

bool measure(int records, bool busy)
{
    constexpr int BytesPerRecordFrame = 16 + 1 + 10 + 1;
    double measured = 0;
    std::size_t spinners = 0;
    if (busy) {
        const BusyCores load;
        spinners = load.count();
        measured = sendRecords(records);
    } else {
        measured = sendRecords(records);
    }
    if (measured < 0)
        return false;
    const double floor = records * BytesPerRecordFrame / 60.0;
    const double ratio = measured / floor;
    std::printf("%3d records, %-22s %.3f s measured, %.3f s pacing floor, ratio %.4f (%s %.2f)\n", records,
                busy ? ("busy loop on " + std::to_string(spinners) + " cores:").c_str() : "quiet machine:", measured,
                floor, ratio, ratio <= RatioBound ? "at or under" : "NOT under", RatioBound);
    return ratio <= RatioBound;
}

}  // namespace

int main(int argc, char **argv)
{
    std::vector<int> runs;
    for (int i = 1; i < argc; ++i)
        runs.push_back(std::atoi(argv[i]));
    if (runs.empty())
        runs = {40, 100};
    for (const int records : runs)
        if (records < 1 || records > CP290TimerRecordCount) {
            std::fprintf(stderr, "usage: bench-exchange-pacing [RECORDS 1-128...]\n");
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

    bool withinBound = true;
    for (const bool busy : {false, true})
        for (const int records : runs)
            withinBound &= measure(records, busy);
    return withinBound ? 0 : 1;
}
