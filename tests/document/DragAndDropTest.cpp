#include "document/DragAndDrop.h"
#include "document/OutlineSelection.h"
#include "document/Pasteboard.h"
#include "tests/support/Events.h"

#include <gtest/gtest.h>

namespace {

std::string moved(std::vector<int> from, int childIndex, int *first = nullptr)
{
    std::vector<char> modules = {'a', 'b', 'c', 'd', 'e'};
    const int at = moveWithinList(modules, from, childIndex);
    if (first)
        *first = at;
    return std::string(modules.begin(), modules.end());
}

}  // namespace

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
