#include "document/SelectionEdits.h"
#include "tests/support/Events.h"

#include <gtest/gtest.h>

namespace {

// Modules of units 1, 2, 3 (shown as A, B, C) with events whose levels say where they came from:
// A's 1 and 2, B's 3, C's 4 and 5.
std::vector<Module> house()
{
    return {module(0, 1, {clockEvent(EventOn, 7, 0, 1), clockEvent(EventOn, 7, 0, 2)}), module(1, 2, {clockEvent(EventOn, 7, 0, 3)}),
            module(2, 3, {clockEvent(EventOn, 7, 0, 4), clockEvent(EventOn, 7, 0, 5)})};
}

std::string shape(const std::vector<Module> &modules)
{
    std::string text;
    for (const Module &each : modules) {
        text += std::string(1, static_cast<char>('A' + each.unit - 1)) + "(";
        for (const Event &event : each.events)
            text += std::to_string(event.Brightness);
        text += ")";
    }
    return text;
}

}  // namespace

// Delete takes selected modules whole and selected events from the others, whatever the mix and
// the order the rows are given in.
TEST(SelectionEdits, DeleteTakesModulesWholeAndEventsFromTheRest)
{
    struct Case {
        const char *what;
        std::vector<SelectedItem> selected;
        const char *left;
    } cases[] = {
        {"nothing", {}, "A(12)B(3)C(45)"},
        {"one event", {{0, 1}}, "A(1)B(3)C(45)"},
        {"events of two modules", {{0, 0}, {2, 1}}, "A(2)B(3)C(4)"},
        {"a module with one of its events", {{0, -1}, {0, 1}}, "B(3)C(45)"},
        {"a module and another's event", {{1, -1}, {2, 0}}, "A(12)C(5)"},
        {"every event of a module leaves it empty", {{2, 0}, {2, 1}}, "A(12)B(3)C()"},
        {"every module", {{0, -1}, {1, -1}, {2, -1}}, ""},
        {"given bottom up", {{2, 1}, {1, -1}, {0, 0}}, "A(2)C(4)"},
        {"rows that name nothing", {{7, -1}, {0, 9}}, "A(12)B(3)C(45)"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(shape(modulesAfterDelete(house(), c.selected)), c.left) << c.what;
}

// Copy takes the selected modules, or the selected events, last shown row first as the clipboard
// holds them.
TEST(SelectionEdits, CopyTakesTheSelectedItemsLastShownFirst)
{
    EXPECT_EQ(shape(copiedModules(house(), {{0, -1}, {0, 1}, {2, -1}})), "C(45)A(12)");
    const std::vector<Event> events = copiedEvents(house(), {{0, 1}, {1, 0}, {2, -1}, {2, 1}});
    std::string hours;
    for (const Event &event : events)
        hours += std::to_string(event.Brightness);
    EXPECT_EQ(hours, "532");
    EXPECT_TRUE(copiedModules(house(), {{0, 0}}).empty());
}
