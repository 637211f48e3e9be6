#include "document/OutlineSelection.h"

#include <algorithm>

CopySelection copyValid(const std::vector<OutlineRow> &rows)
{
    CopySelection selection;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (!rows[row].selected)
            continue;
        if (rows[row].level == 1) {
            if (selection.modules)
                return {false, selection.modules, selection.events};
            selection.events = true;
            continue;
        }
        if (selection.events)
            return {false, selection.modules, selection.events};
        selection.modules = true;
        // The module's visible events go with it: all of them or none.
        std::size_t next = row + 1;
        if (next < rows.size() && rows[next].level == 1) {
            const bool first = rows[next].selected;
            for (; next < rows.size() && rows[next].level == 1; ++next)
                if (rows[next].selected != first)
                    return {false, selection.modules, selection.events};
        }
        row = next - 1;
    }
    return selection;
}

bool pasteAllowed(bool modulesOnClipboard, bool eventsOnClipboard, int selectedRows)
{
    return (modulesOnClipboard && selectedRows < 2) || (eventsOnClipboard && selectedRows == 1);
}
