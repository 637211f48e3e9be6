#include "document/DragAndDrop.h"
#include "document/OutlineSelection.h"
#include "document/Pasteboard.h"
#include "tests/support/Events.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

std::string moved(std::vector<int> from, int childIndex, int *first = nullptr)
{
    std::vector<char> modules = {'a', 'b', 'c', 'd', 'e'};
    const int at = moveWithinList(modules, from, childIndex);
    if (first)
        *first = at;
    return std::string(modules.begin(), modules.end());
}

// Modules named by letters, each event by its hour: "a:7,23 b:18,22" (a module without events is "c:").
std::vector<Module> house(const std::string &shape)
{
    std::vector<Module> modules;
    std::istringstream words(shape);
    for (std::string word; words >> word;) {
        Module m = module(0, static_cast<int>(modules.size()) + 1, {});
        m.name = word.substr(0, word.find(':'));
        std::istringstream hours(word.substr(word.find(':') + 1));
        for (std::string hour; std::getline(hours, hour, ',');)
            m.events.push_back(clockEvent(EventOn | EventAllDays, std::stoi(hour), 0));
        modules.push_back(m);
    }
    return modules;
}

std::string shapeOf(const std::vector<Module> &modules)
{
    std::string shape;
    for (const Module &m : modules) {
        shape += (shape.empty() ? "" : " ") + m.name + ":";
        for (std::size_t e = 0; e < m.events.size(); ++e)
            shape += (e ? "," : "") + std::to_string(m.events[e].Time / 3600 - TimeOfDayBase / 3600);
    }
    return shape;
}

}  // namespace

// Dragged events land together where they are dropped, in the order they were shown, and leave
// their old places, however the rows mix: within the target module, from its neighbours, from
// several modules with the target among them, from another document.
TEST(DragAndDrop, EventsLandTogetherInTheirShownOrderFromWhereverTheyCame)
{
    struct Case {
        const char *what;
        std::string before;
        int target, childIndex;
        std::vector<DraggedEvent> dragged;  // (event, module), in drag-list order: bottom row first
        std::string after;
        int first;
        bool changed;
    } cases[] = {
        {"the last event of each of two modules above the first's first", "porch:18,23 lamp:6,22", 0, 0, {{1, 1}, {1, 0}},
         "porch:23,22,18 lamp:6", 0, true},
        {"two of one module, below", "a:1,2,3,4", 0, 2, {{3, 0}, {0, 0}}, "a:2,1,4,3", 1, true},
        {"one of each of three modules, into the last one", "x:1,2 y:3 z:4,5", 2, 2, {{0, 2}, {0, 1}, {1, 0}},
         "x:1 y: z:5,2,3,4", 1, true},
        {"into the middle module from both sides", "x:1,2 y:3,4 z:5", 1, 1, {{0, 2}, {0, 0}}, "x:2 y:3,1,5,4 z:", 1, true},
        {"dropped back on its own gap", "a:1,2,3", 0, 1, {{1, 0}}, "a:1,2,3", 1, false},
        {"dropped just below itself", "a:1,2,3", 0, 2, {{1, 0}}, "a:1,2,3", 1, false},
        {"entries that name no event are left out", "a:1,2 b:3", 1, 0, {{9, 0}, {0, 7}, {1, 0}}, "a:1 b:2,3", 0, true},
    };
    for (const Case &c : cases) {
        const EventDrop drop = planEventDrop(house(c.before), c.target, c.childIndex, c.dragged);
        EXPECT_EQ(shapeOf(drop.modules), c.after) << c.what;
        EXPECT_EQ(drop.first, c.first) << c.what;
        EXPECT_EQ(drop.changed, c.changed) << c.what;
        EXPECT_TRUE(drop.removals.empty()) << c.what;
    }

    const std::vector<Module> other = house("o:1,2,3");
    const EventDrop across = planEventDrop(house("t:9"), 0, 1, {{2, 0}, {0, 0}}, &other);
    EXPECT_EQ(shapeOf(across.modules), "t:9,1,3");
    EXPECT_EQ(across.first, 1);
    EXPECT_EQ(across.count, 2);
    EXPECT_EQ(across.removals, (std::vector<DraggedEvent> {{2, 0}, {0, 0}})) << "the lower one first";

    std::vector<Module> appliance = house("a:7 b:");
    appliance[0].events[0].Brightness = 4;
    appliance[1].type = ModuleTypeAppliance;
    EXPECT_EQ(planEventDrop(appliance, 1, 0, {{0, 0}}).modules[1].events.at(0).Brightness, 9) << "brought into line with its new module";
}

TEST(DragAndDrop, ModulesMoveInsideOneDocumentAsTheWorkedExamplesSay)
{
    int first = -1;
    EXPECT_EQ(moved({2, 1}, 4, &first), "adbce");  // b and c before e
    EXPECT_EQ(first, 2) << "b and c are selected";
    EXPECT_EQ(moved({4, 3}, 1), "adebc");  // d and e before b
    EXPECT_EQ(moved({4, 1}, 3), "acbed");  // b and e before d
    EXPECT_EQ(moved({2}, 3), "abcde") << "dropped back onto its own place";
    EXPECT_EQ(moved({0}, 5), "bcdea");
}

TEST(DragAndDrop, DropsAreRetargetedOrRefusedByTheTable)
{
    struct Case {
        DraggedKind kind;
        DropProposal proposed;
        bool expanded;
        std::optional<DropProposal> answer;
    } cases[] = {
        {DraggedKind::Events, {-1, false, 2}, false, std::nullopt},  // at the root
        {DraggedKind::Events, {1, true, 0}, true, std::nullopt},     // onto an event
        {DraggedKind::Events, {1, false, 0}, false, std::nullopt},   // a collapsed module
        {DraggedKind::Events, {1, false, -1}, true, std::nullopt},   // onto the module row
        {DraggedKind::Events, {1, false, 2}, true, DropProposal {1, false, 2}},
        {DraggedKind::Modules, {-1, false, -1}, false, DropProposal {-1, false, 5}},
        {DraggedKind::Modules, {-1, false, 2}, false, DropProposal {-1, false, 2}},
        {DraggedKind::Modules, {2, false, -1}, false, DropProposal {-1, false, 3}},  // onto module c
        {DraggedKind::Modules, {2, false, 1}, true, DropProposal {-1, false, 3}},   // between c's events
        {DraggedKind::Modules, {2, true, 0}, true, DropProposal {-1, false, 3}},    // onto one of c's events
    };
    for (const Case &c : cases)
        EXPECT_EQ(validateDrop(c.kind, c.proposed, c.expanded, 5), c.answer)
            << int(c.kind) << " " << c.proposed.parentModule << " " << c.proposed.childIndex;
}

TEST(Pasteboard, WhatIsWrittenReadsBack)
{
    std::vector<Module> modules = {module(3, 7, {clockEvent(EventOn | EventAllDays, 7, 0, 4)}), module(0, 18, {}), module(1, 2, {}),
                                   module(1, 2, {})};
    modules[0].name = "Porch";
    modules[0].expanded = true;
    modules[1].name = "Bulb \xF0\x9F\x92\xA1 Fa\xC2\xA1";  // every name exactly
    modules[2].name = "Tab\tand\nline";
    EXPECT_EQ(modulesFromClipboardData(modulesClipboardData(modules)), modules);
    const std::vector<Event> events = {clockEvent(EventOn, 1, 2), clockEvent(EventSunday, 3, 4)};
    EXPECT_EQ(eventsFromClipboardData(eventsClipboardData(events)), events);
    EXPECT_EQ(modulesFromDragData(modulesDragData({4, 1})), (std::vector<int> {4, 1}));
    EXPECT_EQ(eventsFromDragData(eventsDragData({{2, 0}, {0, 3}})), (std::vector<DraggedEvent> {{2, 0}, {0, 3}}));
}

TEST(Pasteboard, ContentThatIsNotOursIsRefused)
{
    const std::string modules = modulesClipboardData({module(0, 1, {})});
    for (const std::string &hostile : {std::string("plain text from another program"), std::string(),
                                       modules.substr(0, modules.size() / 2), eventsClipboardData({clockEvent(0, 1, 1)}),
                                       modulesDragData({1, 2})}) {
        EXPECT_FALSE(modulesFromClipboardData(hostile)) << hostile.size();
    }
    EXPECT_FALSE(eventsFromClipboardData(modules)) << "modules are not events";
    EXPECT_FALSE(eventsFromClipboardData(modulesDragData({1}))) << "indices are not 20-byte blocks";
    EXPECT_FALSE(modulesFromDragData(eventsDragData({{1, 1}})));
    EXPECT_FALSE(eventsFromDragData(modulesDragData({1})));
}
