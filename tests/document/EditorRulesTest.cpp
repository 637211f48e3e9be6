#include "document/ControlEnabling.h"
#include "document/EditorFields.h"
#include "document/InsertPlan.h"
#include "document/ReadingOrder.h"
#include "document/OutlineSelection.h"
#include "driver/DeviceOperations.h"
#include "tests/support/Dates.h"
#include "tests/support/Events.h"

#include <gtest/gtest.h>

namespace {

const SunTimes Sun {timeOfDay(7, 12), timeOfDay(16, 40)};

Event sunEvent(uint16_t flags, int adjustMinutes)
{
    Event event;
    event.Flags = flags;
    event.Adjust = static_cast<uint32_t>(adjustMinutes * 60);
    event.Time = timeOfDay(19, 5);
    return event;
}

Event dated(int repeat)
{
    Event event = clockEvent(EventOn | EventOnDate | (repeat ? EventRepeatDays : 0), 6, 30);
    event.Date = secondsAt(2026, 12, 24);
    event.Repeat = static_cast<uint16_t>(repeat);
    return event;
}

}  // namespace

TEST(EditorFields, ShowWhatTheEventAndItsModuleAllow)
{
    const Module lamp = module(0, 3, {}, ModuleTypeLight), pump = module(0, 4, {}, ModuleTypeAppliance);
    const Module allOff = module(0, CP290AllModulesUnit, {}, ModuleTypeNone);
    struct Case {
        const char *what;
        Event event;
        Module module;
        bool onEnabled, brightnessEnabled, timeEnabled, securityEnabled;
        uint32_t time;
        DaysPage page;
    } cases[] = {
        {"a lamp switched on", clockEvent(EventOn | EventMonday, 7, 0, 4), lamp, true, true, true, true, timeOfDay(7, 0), DaysPage::Weekdays},
        {"an appliance never dims", clockEvent(EventOn | EventMonday, 7, 0), pump, true, false, true, true, timeOfDay(7, 0), DaysPage::Weekdays},
        {"an off event has no level", clockEvent(EventMonday, 7, 0), lamp, true, false, true, true, timeOfDay(7, 0), DaysPage::Weekdays},
        {"all modules only switch off", clockEvent(EventMonday, 7, 0), allOff, false, false, true, true, timeOfDay(7, 0), DaysPage::Weekdays},
        {"sunrise shows today's sunrise", sunEvent(EventOn | EventSunrise | EventAllDays, 10), lamp, true, true, false, true, Sun.sunrise, DaysPage::Weekdays},
        {"sunset shows today's sunset", sunEvent(EventSunset | EventEvenDays, 0), lamp, true, false, false, false, Sun.sunset, DaysPage::Nothing},
        {"a date", dated(3), lamp, true, true, true, false, timeOfDay(6, 30), DaysPage::Date},
    };
    for (const Case &c : cases) {
        const EditorFields fields = editorFieldsOf(c.event, c.module, Sun);
        EXPECT_EQ(fields.onEnabled, c.onEnabled) << c.what;
        EXPECT_EQ(fields.brightnessEnabled, c.brightnessEnabled) << c.what;
        EXPECT_EQ(fields.timeEnabled(), c.timeEnabled) << c.what;
        EXPECT_EQ(fields.offsetEnabled(), !c.timeEnabled) << c.what;
        EXPECT_EQ(fields.securityEnabled(), c.securityEnabled) << c.what;
        EXPECT_EQ(fields.time, c.time) << c.what;
        EXPECT_EQ(fields.daysPage(), c.page) << c.what;
        // Controls left as loaded say the event they were loaded from.
        EXPECT_EQ(eventFromEditor(fields, c.event), c.event) << c.what;
    }
}

TEST(EditorFields, EachControlChangesItsOwnPartOfTheEvent)
{
    const Module lamp = module(0, 3, {}, ModuleTypeLight);
    const Event weekly = clockEvent(EventOn | EventMonday | EventSecurity, 7, 0, 4);
    const EditorFields loaded = editorFieldsOf(weekly, lamp, Sun);
    struct Case {
        const char *what;
        EditorFields (*change)(EditorFields);
        uint16_t flags;
        uint32_t time;
    } cases[] = {
        {"the time typed", [](EditorFields f) { f.time = timeOfDay(8, 15); return f; },
         EventOn | EventMonday | EventSecurity | EventClockTime, timeOfDay(8, 15)},
        {"Friday added", [](EditorFields f) { f.days |= EventFriday; return f; },
         EventOn | EventMonday | EventFriday | EventSecurity | EventClockTime, timeOfDay(7, 0)},
        {"security off", [](EditorFields f) { f.security = false; return f; },
         EventOn | EventMonday | EventClockTime, timeOfDay(7, 0)},
        {"switched off", [](EditorFields f) { return withSwitch(f, false, module(0, 3, {}, ModuleTypeLight)); },
         EventMonday | EventSecurity | EventClockTime, timeOfDay(7, 0)},
        {"sunset with a minus offset takes the sun's time it showed",
         [](EditorFields f) { f = withSunSwitch(f, false, true, Sun); f.offsetMinus = true; return f; },
         EventOn | EventMonday | EventSecurity | EventSunset | EventOffsetMinus, Sun.sunset},
        {"both suns said at once: sunrise, one sun at a time",
         [](EditorFields f) { f.sunrise = f.sunset = true; f.time = Sun.sunrise; return f; },
         EventOn | EventMonday | EventSecurity | EventSunrise, Sun.sunrise},
        {"even days: no weekdays' security",
         [](EditorFields f) { return withDayRule(f, EventEvenDays, clockEvent(EventEvenDays, 7, 0)); },
         EventOn | EventMonday | EventEvenDays | EventClockTime, timeOfDay(7, 0)},
    };
    for (const Case &c : cases) {
        const Event event = eventFromEditor(c.change(loaded), weekly);
        EXPECT_EQ(event.Flags, c.flags) << c.what;
        EXPECT_EQ(event.Time, c.time) << c.what;
        EXPECT_EQ(event.Brightness, c.flags & EventOn ? 4 : 9) << c.what << ": off is full brightness";
    }

    const EditorFields sunrise = withSunSwitch(loaded, true, true, Sun);
    EXPECT_TRUE(sunrise.sunrise && !sunrise.sunset && sunrise.time == Sun.sunrise);
    EXPECT_TRUE(withSunSwitch(withSunSwitch(loaded, false, true, Sun), true, true, Sun).sunrise) << "one sun at a time";
    EXPECT_FALSE(withSunSwitch(withSunSwitch(loaded, false, true, Sun), true, true, Sun).sunset);
    EXPECT_TRUE(withSunSwitch(sunrise, true, false, Sun).timeEnabled());

    const EditorFields off = withSwitch(loaded, false, lamp);
    EXPECT_FALSE(off.brightnessEnabled);
    EXPECT_EQ(off.brightness, 9);
    EXPECT_TRUE(withSwitch(off, true, lamp).brightnessEnabled);
    EXPECT_TRUE(withSwitch(off, true, module(0, CP290AllLightsUnit, {}, ModuleTypeNone)).brightnessEnabled);
    EXPECT_FALSE(withSwitch(off, true, module(0, 4, {}, ModuleTypeAppliance)).brightnessEnabled);

    // The date's page shows what the stored event holds for it.
    const EditorFields date = withDayRule(loaded, EventOnDate, dated(3));
    EXPECT_EQ(date.date, secondsAt(2026, 12, 24));
    EXPECT_TRUE(date.repeat);
    EXPECT_EQ(date.repeatDays, 3);
    EXPECT_FALSE(date.security);
    EXPECT_TRUE(noDayChosen(clockEvent(EventOn, 7, 0)));
    EXPECT_FALSE(noDayChosen(clockEvent(EventOn | EventSunday, 7, 0)));
    EXPECT_FALSE(noDayChosen(clockEvent(EventOn | EventOddDays, 7, 0)));
}

TEST(ControlEnabling, ModuleControlsFollowTheUnitAndTheType)
{
    struct Case {
        const char *what;
        Module module;
        int64_t type;
        bool direct, brightness, onSwitch;
        std::optional<bool> eventBrightness;
        bool eventOff, fullBrightness;
    } cases[] = {
        {"a lamp", module(0, 3, {}, ModuleTypeLight), ModuleTypeLight, true, true, true, true, false, false},
        {"an appliance", module(0, 3, {}, ModuleTypeAppliance), ModuleTypeAppliance, true, false, true, false, false, true},
        {"no type is an appliance", module(0, 3, {}, ModuleTypeNone), ModuleTypeAppliance, true, false, true, false, false, true},
        {"all lights", module(0, CP290AllLightsUnit, {}, ModuleTypeLight), ModuleTypeNone, false, false, true, false, false, true},
        {"all modules", module(0, CP290AllModulesUnit, {}, ModuleTypeLight), ModuleTypeNone, false, false, false, std::nullopt, true, false},
    };
    for (const Case &c : cases) {
        const ModuleControls controls = moduleControlsFor(c.module);
        EXPECT_EQ(std::tuple(controls.type, controls.onButton, controls.offButton, controls.selectedBrightness, controls.onSwitch,
                             controls.eventBrightness, controls.eventOff, controls.fullBrightness),
                  std::tuple(c.type, c.direct, c.direct, c.brightness, c.onSwitch, c.eventBrightness, c.eventOff, c.fullBrightness))
            << c.what;
    }
}

TEST(ControlEnabling, DirectControlsFollowTheSelection)
{
    const Module lamp = module(0, 3, {}, ModuleTypeLight), pump = module(0, 4, {}, ModuleTypeAppliance);
    const Module allLights = module(0, CP290AllLightsUnit, {}, ModuleTypeNone);
    struct Case {
        const char *what;
        std::vector<SelectedRow> rows;
        DirectControls expected;
    } cases[] = {
        {"nothing", {}, {}},
        {"one lamp", {{0, &lamp}}, {true, true, true, true, true, true, true, false}},
        {"one appliance", {{0, &pump}}, {true, true, false, true, true, true, true, false}},
        {"all lights alone", {{0, &allLights}}, {false, false, false, true, true, true, true, false}},
        {"one event", {{1, &lamp}}, {false, false, false, true, true, true, true, true}},
        {"two appliances", {{0, &pump}, {0, &pump}}, {true, true, false, false, true, false, false, false}},
        {"a lamp among them dims", {{0, &pump}, {0, &lamp}, {1, &pump}}, {true, true, true, false, true, false, false, false}},
        {"all lights among them", {{0, &lamp}, {0, &allLights}}, {false, false, false, false, true, false, false, false}},
        {"events only", {{1, &lamp}, {1, &lamp}}, {true, true, false, false, true, false, false, false}},
    };
    const auto text = [](const DirectControls &c) {
        return std::to_string(c.on) + std::to_string(c.off) + std::to_string(c.brightness) + std::to_string(c.newEvent)
            + std::to_string(c.deleteRows) + std::to_string(c.edit) + std::to_string(c.endEdit) + std::to_string(c.editorShown);
    };
    for (const Case &c : cases)
        EXPECT_EQ(text(directControlsFor(c.rows)), text(c.expected)) << c.what;
}

TEST(ControlEnabling, ModulesPasteBeforeOneRowOrAtTheEndAndEventsIntoOneRow)
{
    struct Case {
        bool modules, events;
        int selected;
        bool allowed;
    } cases[] = {{true, false, 0, true},  {true, false, 1, true},   {true, false, 2, false}, {false, true, 0, false},
                 {false, true, 1, true},  {false, true, 2, false},  {false, false, 1, false}, {true, true, 2, false}};
    for (const Case &c : cases)
        EXPECT_EQ(pasteAllowed(c.modules, c.events, c.selected), c.allowed) << c.modules << c.events << c.selected;
}

// Controls are read line by line from the top, left to right: a field beside its taller label is
// on the label's line, a control just below is on the next.
TEST(ReadingOrder, LineByLineFromTheTopLeftToRight)
{
    const std::vector<ScreenBox> boxes = {
        {200, 40, 60, 20},  // 0: second line, right
        {10, 0, 80, 24},    // 1: first line, left
        {120, 4, 60, 18},   // 2: first line, beside 1 though lower
        {10, 42, 80, 20},   // 3: second line, left
        {10, 24, 50, 10},   // 4: starts where 1 ends: a line of its own
    };
    EXPECT_EQ(readingOrder(boxes), (std::vector<int> {1, 2, 4, 3, 0}));
    EXPECT_TRUE(readingOrder({}).empty());
}

TEST(InsertPlan, RowsLandWhereTheSelectionSays)
{
    struct ModuleCase {
        std::optional<int> sole;
        bool editing;
        int place;
    } modules[] = {{std::nullopt, false, 3}, {std::nullopt, true, 3}, {1, false, 1}, {1, true, 2}};
    for (const ModuleCase &c : modules)
        EXPECT_EQ(moduleInsertPlace(3, c.sole, c.editing), c.place) << c.editing;

    // Rows: module 0, its events 0 and 1, module 1 (collapsed), module 2, its event 0.
    const std::vector<int> levels {0, 1, 1, 0, 0, 1}, moduleOfRow {0, 0, 0, 1, 2, 2};
    const OutlineRows rows {[&](int row) { return levels[row]; }, [&](int row) { return moduleOfRow[row]; }};
    const auto eventCount = [](int module) { return std::vector<int> {2, 4, 1}[module]; };
    struct EventCase {
        int selectedRow, module, position, selectRow;
    } events[] = {{-1, 0, 0, 1}, {0, 0, 2, 3}, {2, 0, 1, 2}, {3, 1, 4, 8}, {5, 2, 0, 5}};
    for (const EventCase &c : events) {
        const EventInsertPlan plan = planEventInsert(rows, c.selectedRow, eventCount);
        EXPECT_EQ(plan.module, c.module) << "row " << c.selectedRow;
        EXPECT_EQ(plan.position, c.position) << "row " << c.selectedRow;
        EXPECT_EQ(plan.selectedRow(), c.selectRow) << "row " << c.selectedRow;
    }

    Module open = module(0, 1, {clockEvent(EventOn, 1, 0), clockEvent(0, 2, 0)});
    open.expanded = true;
    EXPECT_EQ(pastedRowCount({open, module(0, 2, {clockEvent(EventOn, 1, 0)})}), 4);
}
