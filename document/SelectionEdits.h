#pragma once

#include "model/Records.h"

#include <vector>

// What Delete and Copy do with the selected rows of a document's outline, without the window.

// A selected row: a module (event -1) or one of its events.
struct SelectedItem {
    int module = 0;
    int event = -1;
};

// What a Delete leaves: a module whose row is selected goes whole, its events with it; the
// selected events of the other modules go, the rest keep their order.
std::vector<Module> modulesAfterDelete(const std::vector<Module> &modules, const std::vector<SelectedItem> &selected);

// What Copy puts on the clipboard, which holds its rows from the last shown up: the modules of
// the selected module rows, or the selected events. `selected` is in the order the rows show.
std::vector<Module> copiedModules(const std::vector<Module> &modules, const std::vector<SelectedItem> &selected);
std::vector<Event> copiedEvents(const std::vector<Module> &modules, const std::vector<SelectedItem> &selected);
