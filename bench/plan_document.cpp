// Times the download encoder: a document giving exactly 128 records, and a document of 2,000
// modules with 20,000 events as a large house might have. Planning the large one must stay under
// 50 ms a run. Usage: bench-plan-document [RUNS]

#include "document/EventDownload.h"
#include "driver/TimerDownload.h"
#include "platform/DateTime.h"
#include "platform/Location.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

uint32_t timeOfDay(int hour, int minute)
{
    return DateToSeconds(makeDateTimeRec(0, 0, 0, hour, minute));
}

Event event(uint16_t flags, int hour, int minute, uint16_t brightness = 9)
{
    Event e;
    e.Flags = flags;
    e.Time = timeOfDay(hour, minute);
    e.Brightness = brightness;
    return e;
}

// 128 modules of one house and unit range, each one on event at its own minute.
std::vector<Module> fullDocument()
{
    std::vector<Module> modules(128);
    for (int i = 0; i < 128; ++i) {
        modules[i].houseCode = i % 16;
        modules[i].unit = i % 16 + 1;
        modules[i].events = {event(EventOn | EventClockTime | EventAllDays, 6 + i / 60, i % 60)};
    }
    return modules;
}

// Ten events a module: weekday lamps that merge across modules, sun events, dated events ahead,
// even-day pumps, security lights. Fewer than 128 records result, so the whole document is encoded.
std::vector<Module> largeDocument(uint32_t today)
{
    std::vector<Module> modules(2000);
    for (int i = 0; i < 2000; ++i) {
        Module &m = modules[i];
        m.houseCode = i % 16;
        m.unit = i % 16 + 1;
        m.type = ModuleTypeLight;
        Event ahead = event(EventOn | EventClockTime | EventOnDate | EventRepeatDays, 20, 0);
        ahead.Date = today + 30 * SecondsPerDay;
        ahead.Repeat = 7;
        Event sunset = event(EventOn | EventSunset | EventAllDays, 0, 0);
        sunset.Adjust = 15 * 60;
        m.events = {event(EventOn | EventClockTime | 0x1F00, 18, 30, 4), event(EventClockTime | 0x1F00, 22, 45),
                    sunset, event(EventClockTime | EventAllDays, 23, 30), ahead, ahead,
                    event(EventOn | EventClockTime | EventEvenDays, 8, 0), event(EventClockTime | EventEvenDays, 11, 0),
                    event(EventOn | EventClockTime | EventSecurity | EventAllDays, 19, 15),
                    event(EventClockTime | EventSecurity | EventAllDays, 23, 15)};
    }
    return modules;
}

double millisecondsPerRun(const std::vector<Module> &modules, int runs, int *records)
{
    const auto start = std::chrono::steady_clock::now();
    for (int run = 0; run < runs; ++run) {
        bool anyEvent = false;
        if (!encodeDocumentEvents(modules, {}, &anyEvent)) {
            std::fprintf(stderr, "the document needs more than 128 records\n");
            std::exit(1);
        }
    }
    *records = NumEvents;
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / runs;
}

}  // namespace

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    const uint32_t now = DateToSeconds(makeDateTimeRec(2026, 12, 8, 12, 0));
    setDateTimeSource([now] { return now; });
    setLocationOverride(Location {41, -74, -18000});

    int records = 0;
    const double full = millisecondsPerRun(fullDocument(), runs, &records);
    std::printf("128-record document: %.3f ms a run (%d records)\n", full, records);
    const std::vector<Module> large = largeDocument(midnightOf(now));
    const double plan = millisecondsPerRun(large, runs, &records);
    std::printf("2,000 modules, 20,000 events: %.3f ms a run (%d records) (%s 50 ms)\n", plan, records,
                plan < 50 ? "under" : "NOT under");
    return plan < 50 ? 0 : 1;
}
