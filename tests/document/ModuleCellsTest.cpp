#include "document/ModuleCells.h"
#include "tests/support/Events.h"

#include <gtest/gtest.h>

namespace {

Module lamp()
{
    return module(0, 3, {clockEvent(EventOn | EventAllDays, 7, 0, 4), clockEvent(EventAllDays, 22, 0, 6)});
}

}  // namespace

TEST(ModuleCells, GroupUnitsAndAppliancesBringTheEventsIntoLine)
{
    Module allModules = lamp();
    EXPECT_EQ(storeModuleCell(allModules, "#", int64_t {18}).eventsBroughtIntoLine, true);
    for (const Event &event : allModules.events) {
        EXPECT_FALSE(event.has(EventOn));
        EXPECT_EQ(event.Brightness, 9);
    }

    Module allLights = lamp();
    EXPECT_TRUE(storeModuleCell(allLights, "#", int64_t {17}).runModuleChanged);
    EXPECT_TRUE(allLights.events[1].has(EventOn));
    EXPECT_EQ(allLights.events[1].Brightness, 6) << "brightness kept";

    Module appliance = lamp();
    storeModuleCell(appliance, "T", int64_t {ModuleTypeAppliance});
    EXPECT_EQ(appliance.events[0].Brightness, 9);
    EXPECT_TRUE(appliance.events[0].has(EventOn));
}

TEST(ModuleCells, OtherCellsChangeNoEvent)
{
    struct Case {
        const char *column;
        ModuleCellValue value;
        bool moduleChanged;
    } cases[] = {{"C", int64_t {5}, false}, {"N", std::string("Hall"), false}, {"#", int64_t {9}, true},
                 {"T", int64_t {ModuleTypeLight}, true}};
    for (const Case &c : cases) {
        Module edited = lamp();
        const ModuleCellEdit edit = storeModuleCell(edited, c.column, c.value);
        EXPECT_FALSE(edit.eventsBroughtIntoLine) << c.column;
        EXPECT_EQ(edit.runModuleChanged, c.moduleChanged) << c.column;
        EXPECT_EQ(edited.events, lamp().events) << c.column;
    }
}

// Wherever an event enters a module (typed text, paste, drop, the editor) it is brought into line
// with what the module can do.
TEST(ModuleCells, EventsEnteringAModuleFollowWhatItCanDo)
{
    struct Case {
        int unit, type;
        uint16_t on, brightness;
        uint16_t wantOn, wantBrightness;
    } cases[] = {
        {3, ModuleTypeLight, EventOn, 4, EventOn, 4},  {3, ModuleTypeLight, 0, 1, 0, 9},
        {3, ModuleTypeAppliance, EventOn, 4, EventOn, 9}, {17, ModuleTypeLight, 0, 9, EventOn, 9},
        {18, ModuleTypeLight, EventOn, 4, 0, 9},       {18, ModuleTypeNone, EventOn, 9, 0, 9},
    };
    for (const Case &c : cases) {
        const Event in = eventInLineWith(module(0, c.unit, {}, c.type), clockEvent(c.on, 7, 0, c.brightness));
        EXPECT_EQ(in.Flags & EventOn, c.wantOn) << c.unit << " " << c.type;
        EXPECT_EQ(in.Brightness, c.wantBrightness) << c.unit << " " << c.type;
    }
}

TEST(ModuleCells, TypedEventTextIsStoredInLineAndOnlyAChangeCounts)
{
    Module appliance = module(1, 5, {clockEvent(EventOn | EventAllDays, 6, 0)}, ModuleTypeAppliance);
    EXPECT_TRUE(storeEventText(appliance, 0, "Turn Off 12.5% @ 7 pm"));
    EXPECT_EQ(appliance.events[0].Brightness, 9) << "an off event carries no level";
    EXPECT_FALSE(appliance.events[0].has(EventOn));
    EXPECT_EQ(appliance.events[0].Time, timeOfDay(19, 0));
    EXPECT_FALSE(storeEventText(appliance, 0, "Turn Off @ 07:00 PM Every Day")) << "the same event again";

    Module lamp = module(1, 6, {clockEvent(EventOn | EventAllDays, 6, 0)});
    EXPECT_FALSE(storeModuleCell(lamp, "N", std::string("New Module")).changed);
    EXPECT_FALSE(storeModuleCell(lamp, "#", int64_t {6}).changed);
    EXPECT_TRUE(storeModuleCell(lamp, "#", int64_t {7}).changed);
}
