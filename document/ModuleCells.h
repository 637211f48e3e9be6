#pragma once

#include "model/Records.h"

#include <functional>
#include <string>
#include <variant>

// A module row's cell edited in place, and the outline rows mapped back to modules and events.

using ModuleCellValue = std::variant<int64_t, std::string>;

struct ModuleCellEdit {
    bool eventsBroughtIntoLine = false;  // the module's events changed with it: reload the outline
    bool runModuleChanged = false;       // the editor must follow the new unit number or type
    bool changed = false;                // false when the cell ends with the value it started with
};

// Stores `value` under the column "C", "#", "T" or "N" of `module`. A new unit number 17 or 18,
// or the type "Appliance", brings every event of the module into line with what it can do.
ModuleCellEdit storeModuleCell(Module &module, const std::string &column, const ModuleCellValue &value);

// What `module` can do with `event`: an "All Lights" module only switches on, an "All Modules"
// module only switches off, an appliance never dims, and an off event never carries a level.
Event eventInLineWith(const Module &module, Event event);
// The module with every event of it brought into line.
Module moduleInLine(Module module);

// Reads typed text into the module's event `index`, brought into line with the module; true when
// the event changed.
bool storeEventText(Module &module, std::size_t index, const std::string &text);

// Rows are numbered from the top; a row of level 0 is a module, of level 1 one of its events.
struct OutlineRows {
    std::function<int(int row)> levelForRow;
    std::function<int(int row)> moduleOfRow;  // the module index of a level-0 row
};

int moduleIndexForOutlineRow(const OutlineRows &rows, int row);
int eventIndexForOutlineRow(const OutlineRows &rows, int row);  // -1 for a module row
