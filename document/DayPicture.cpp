#include "document/DayPicture.h"

#include "driver/DeviceOperations.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace {

constexpr int Midnight = 24 * 60;

std::vector<ScheduleMark> byTime(std::vector<ScheduleMark> marks)
{
    std::stable_sort(marks.begin(), marks.end(), [](const ScheduleMark &a, const ScheduleMark &b) { return a.minute < b.minute; });
    return marks;
}

}  // namespace

std::vector<OnPeriod> onPeriods(const std::vector<Module> &modules, const std::vector<ScheduleMark> &marks)
{
    std::vector<OnPeriod> periods;
    std::map<int, OnPeriod> lit;  // by module
    const auto end = [&](int module, int minute) {
        if (const auto open = lit.find(module); open != lit.end()) {
            open->second.toMinute = minute;
            if (open->second.toMinute > open->second.fromMinute)
                periods.push_back(open->second);
            lit.erase(open);
        }
    };
    const auto begin = [&](int module, int minute, int brightness, int event) {
        end(module, minute);  // a new level ends the stretch before it
        lit[module] = OnPeriod {module, minute, Midnight, brightness, event};
    };
    for (const ScheduleMark &mark : byTime(marks)) {
        const Module &module = modules[static_cast<std::size_t>(mark.module)];
        const bool allLights = module.unit == CP290AllLightsUnit, allModules = module.unit == CP290AllModulesUnit;
        if (!allLights && !allModules) {
            if (mark.on)
                begin(mark.module, mark.minute, mark.brightness, mark.event);
            else
                end(mark.module, mark.minute);
            continue;
        }
        for (std::size_t other = 0; other < modules.size(); ++other) {
            const Module &each = modules[other];
            if (each.houseCode != module.houseCode || each.unit >= CP290AllLightsUnit)
                continue;
            if (allModules && !mark.on)
                end(static_cast<int>(other), mark.minute);
            else if (allLights && mark.on && each.type == ModuleTypeLight && !lit.count(static_cast<int>(other)))
                begin(static_cast<int>(other), mark.minute, 9, -1);
        }
    }
    for (auto &[module, period] : lit)
        if (period.fromMinute < Midnight)
            periods.push_back(period);
    std::stable_sort(periods.begin(), periods.end(), [](const OnPeriod &a, const OnPeriod &b) {
        return a.module != b.module ? a.module < b.module : a.fromMinute < b.fromMinute;
    });
    return periods;
}

std::vector<MarkGroup> groupMarks(std::vector<ScheduleMark> marks, int closestMinutes)
{
    std::stable_sort(marks.begin(), marks.end(), [](const ScheduleMark &a, const ScheduleMark &b) {
        return a.module != b.module ? a.module < b.module : a.minute < b.minute;
    });
    std::vector<MarkGroup> groups;
    for (const ScheduleMark &mark : marks) {
        if (!groups.empty() && groups.back().module == mark.module && mark.minute - groups.back().minute < closestMinutes)
            groups.back().marks.push_back(mark);
        else
            groups.push_back({mark.module, mark.minute, {mark}});
    }
    return groups;
}

std::optional<std::size_t> nearestGroup(const std::vector<MarkGroup> &groups, int module, int minute, int toleranceMinutes)
{
    std::optional<std::size_t> nearest;
    int distance = toleranceMinutes + 1;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (groups[g].module != module)
            continue;
        // A group reaches from its first mark to its last.
        const int first = groups[g].minute, last = groups[g].marks.back().minute;
        const int away = minute < first ? first - minute : minute > last ? minute - last : 0;
        if (away < distance) {
            distance = away;
            nearest = g;
        }
    }
    return nearest;
}
