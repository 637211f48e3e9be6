#include "document/InsertPlan.h"

int moduleInsertPlace(int moduleCount, std::optional<int> soleSelectedModule, bool editing)
{
    if (!soleSelectedModule)
        return moduleCount;
    return editing ? *soleSelectedModule + 1 : *soleSelectedModule;
}

EventInsertPlan planEventInsert(const OutlineRows &rows, int selectedRow, const std::function<int(int module)> &eventCount)
{
    EventInsertPlan plan {0, 0, 0};
    if (selectedRow >= 0) {
        plan.moduleRow = selectedRow;
        while (plan.moduleRow > 0 && rows.levelForRow(plan.moduleRow) != 0)
            --plan.moduleRow;
        plan.module = rows.moduleOfRow(plan.moduleRow);
        plan.position = selectedRow - plan.moduleRow - 1;
    }
    if (plan.position == -1)
        plan.position = eventCount(plan.module);
    return plan;
}

int pastedRowCount(const std::vector<Module> &modules)
{
    int rows = 0;
    for (const Module &module : modules)
        rows += 1 + (module.expanded ? static_cast<int>(module.events.size()) : 0);
    return rows;
}
