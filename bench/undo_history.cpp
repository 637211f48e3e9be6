// What the undo history of a 2,000-module document costs: the memory of 100 steps, each an edit of
// one module, and the time a step takes to record.

#include "BenchHouse.h"
#include "document/UndoHistory.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

long residentKilobytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

}  // namespace

int main()
{
    std::vector<Module> modules;
    for (int index = 0; index < 2000; ++index)
        modules.push_back(benchModule(index, 10));
    const long before = residentKilobytes();
    UndoHistory history;
    history.reset(snapshotOf(modules, {1, 1}, {}, nullptr), true);
    const long base = residentKilobytes();

    const auto start = std::chrono::steady_clock::now();
    for (int step = 0; step < static_cast<int>(UndoHistory::StepsKept); ++step) {
        modules[static_cast<std::size_t>(step * 17 % 2000)].name += "'";
        history.record(snapshotOf(modules, {1, 1}, {step}, &history.current()), "Typing");
    }
    const double perStep = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() /
                           UndoHistory::StepsKept;
    const long after = residentKilobytes();
    std::printf("2,000 modules of 10 events: the first state %.1f MB, 100 more steps %.1f MB (%.1f MB in all); "
                "%.2f ms a step\n", static_cast<double>(base - before) / 1024.0, static_cast<double>(after - base) / 1024.0,
                static_cast<double>(after - before) / 1024.0, perStep);
    const auto undoStart = std::chrono::steady_clock::now();
    while (history.canUndo())
        history.undo().moduleRecords();
    std::printf("undoing all 100, each state copied back to records: %.2f ms a step\n",
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - undoStart).count() / 100);
}
