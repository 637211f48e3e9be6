#pragma once

#include <vector>

// Rules over the outline's rows that need no window: which selections can be copied, cut or
// dragged, and where a printed page may end.

struct OutlineRow {
    int level = 0;  // 0 a module, 1 an event
    bool selected = false;
};

struct CopySelection {
    bool valid = true;
    bool modules = false;  // whole modules are selected
    bool events = false;   // events are selected
};

// Only whole modules (each with all or none of its visible events) or only events.
CopySelection copyValid(const std::vector<OutlineRow> &rows);

// Whether the clipboard's modules or events can be pasted with this many rows selected: modules
// with at most one row (before it, or at the end), events into exactly one row.
bool pasteAllowed(bool modulesOnClipboard, bool eventsOnClipboard, int selectedRows);

