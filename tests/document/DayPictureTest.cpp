#include "document/DayPicture.h"
#include "driver/DeviceOperations.h"
#include "tests/support/Events.h"

#include <gtest/gtest.h>

namespace {

ScheduleMark at(int module, int event, int hour, int minute, bool on, int brightness = 9)
{
    return {module, event, hour * 60 + minute, on, on ? brightness : 0};
}

}  // namespace

// Each module's lit stretches: an on runs to the module's next off, to its house's "All Modules"
// off, or to midnight; a new level ends the stretch before it; "All Lights" lights the lamps.
TEST(DayPicture, OnPeriodsRunFromEachOnToWhatEndsIt)
{
    const std::vector<Module> modules = {
        module(0, 1, {}),                           // 0: A1 lamp
        module(0, 2, {}, ModuleTypeAppliance),      // 1: A2 appliance
        module(1, 3, {}),                           // 2: B3 lamp, another house
        module(0, CP290AllModulesUnit, {}),         // 3: A all modules
        module(0, CP290AllLightsUnit, {}),          // 4: A all lights
    };
    struct Case {
        const char *what;
        std::vector<ScheduleMark> marks;
        std::vector<OnPeriod> periods;
    };
    const Case cases[] = {
        {"on then off", {at(0, 1, 23, 30, false), at(0, 0, 18, 0, true, 4)}, {{0, 18 * 60, 23 * 60 + 30, 4, 0}}},
        {"an on without an off runs to midnight", {at(2, 0, 20, 0, true)}, {{2, 20 * 60, 24 * 60, 9, 0}}},
        {"an off before any on draws nothing", {at(0, 0, 6, 0, false)}, {}},
        {"a second on changes the level",
         {at(0, 0, 18, 0, true, 8), at(0, 1, 21, 0, true, 2), at(0, 2, 23, 0, false)},
         {{0, 18 * 60, 21 * 60, 8, 0}, {0, 21 * 60, 23 * 60, 2, 1}}},
        {"All Modules closes its own house only",
         {at(0, 0, 18, 0, true), at(1, 0, 19, 0, true), at(2, 0, 19, 0, true), at(3, 0, 22, 0, false)},
         {{0, 18 * 60, 22 * 60, 9, 0}, {1, 19 * 60, 22 * 60, 9, 0}, {2, 19 * 60, 24 * 60, 9, 0}}},
        {"All Lights lights the lamps of its house, not the appliance",
         {at(4, 0, 7, 0, true), at(0, 0, 8, 0, false)},
         {{0, 7 * 60, 8 * 60, 9, -1}}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(onPeriods(modules, c.marks), c.periods) << c.what;
}

TEST(DayPicture, MarksTooCloseToPartAreOneGroupAndAClickFindsTheNearest)
{
    const std::vector<ScheduleMark> marks = {at(0, 0, 18, 0, true), at(0, 1, 18, 10, false), at(0, 2, 18, 30, true),
                                             at(1, 0, 18, 5, true)};
    const auto groups = groupMarks(marks, 15);
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0].marks.size(), 2u) << "18:00 and 18:10 in one lane";
    EXPECT_EQ(groups[1].minute, 18 * 60 + 30);
    EXPECT_EQ(groups[2].module, 1) << "another lane's mark is never grouped with them";
    EXPECT_EQ(groupMarks(marks, 1).size(), 4u) << "wide enough: every mark alone";

    struct Click {
        int module, minute;
        std::optional<std::size_t> group;
    };
    for (const Click &c : {Click {0, 18 * 60 + 10, 0}, Click {0, 18 * 60 + 24, 1}, Click {0, 18 * 60 + 16, 0},
                           Click {0, 20 * 60, std::nullopt}, Click {1, 18 * 60 + 10, 2}, Click {2, 18 * 60, std::nullopt}})
        EXPECT_EQ(nearestGroup(groups, c.module, c.minute, 8), c.group) << c.module << " " << c.minute;
}
