#pragma once

#include "document/Records.h"

#include <functional>
#include <string>
#include <variant>

// A module row's cell edited in place, and the outline rows mapped back to modules and events.

using ModuleCellValue = std::variant<int64_t, std::string>;

struct ModuleCellEdit {
    bool eventsBroughtIntoLine = false;  // the module's events changed with it: reload the outline
    bool runModuleChanged = false;       // the editor must follow the new unit number or type
};

// Stores `value` under the column "C", "#", "T" or "N" of `module`. A new unit number 17 or 18,
// or the type "Appliance", brings every event of the module into line with what it can do.
ModuleCellEdit storeModuleCell(Module &module, const std::string &column, const ModuleCellValue &value);

// Rows are numbered from the top; a row of level 0 is a module, of level 1 one of its events.
struct OutlineRows {
    std::function<int(int row)> levelForRow;
    std::function<int(int row)> moduleOfRow;  // the module index of a level-0 row
};

int moduleIndexForOutlineRow(const OutlineRows &rows, int row);
int eventIndexForOutlineRow(const OutlineRows &rows, int row);  // -1 for a module row
