#pragma once

#include "document/ModuleCells.h"

#include <functional>
#include <optional>
#include <vector>

// Where a new or pasted row goes, and what is selected after it.

// Where new modules go: before the one module row selected, or after it while its name is being
// typed, else at the end. The first new module's row is selected after the insert.
// `soleSelectedModule`: the module of the selected row when exactly one module row is selected.
int moduleInsertPlace(int moduleCount, std::optional<int> soleSelectedModule, bool editing);

// An event: into the module of the selected row, before the selected event or after the
// module's last one; with nothing selected, into the first module at the top. The new event's
// row is selected.
struct EventInsertPlan {
    int module;
    int position;   // index among the module's events
    int moduleRow;  // the module's row
    int selectedRow() const { return moduleRow + 1 + position; }
};
// `selectedRow` -1 for none; `eventCount` gives the number of events of a module.
EventInsertPlan planEventInsert(const OutlineRows &rows, int selectedRow, const std::function<int(int module)> &eventCount);

// How many rows a paste of these modules adds: each module, and its events when it is expanded.
int pastedRowCount(const std::vector<Module> &modules);
