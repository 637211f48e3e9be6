#include "document/DragAndDrop.h"

std::optional<DropProposal> validateDrop(DraggedKind kind, const DropProposal &proposed, bool parentExpanded,
                                         int moduleCount)
{
    if (kind == DraggedKind::Events) {
        if (proposed.parentModule < 0 || proposed.parentIsEvent || !parentExpanded || proposed.childIndex < 0)
            return std::nullopt;
        return proposed;
    }
    if (proposed.parentModule < 0)
        return DropProposal {-1, false, proposed.childIndex < 0 ? moduleCount : proposed.childIndex};
    // Onto a module or between its events: just after that module.
    return DropProposal {-1, false, proposed.parentModule + 1};
}
