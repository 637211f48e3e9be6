#pragma once

#include "document/Pasteboard.h"
#include "model/Records.h"

#include <optional>
#include <vector>

// Where a dragged set of rows may land, and how the list of entries moves inside one list, as the
// outline's drop rules have them.

enum class DraggedKind { Modules, Events };

// A proposed drop: onto the root (module -1) or into a module, at a child index (-1: onto it).
struct DropProposal {
    int parentModule = -1;
    bool parentIsEvent = false;  // the proposed parent is an event row of parentModule
    int childIndex = -1;
    friend bool operator==(const DropProposal &, const DropProposal &) = default;
};

// The drop as it will be done, or nothing when it is refused. Modules always land at the root;
// events only between the events of an expanded module.
std::optional<DropProposal> validateDrop(DraggedKind kind, const DropProposal &proposed, bool parentExpanded,
                                         int moduleCount);

// Moves the entries at `fromIndices` (in drag-list order) of `list` to the gap before
// `childIndex`, with the index arithmetic of a drop inside one list. Returns where the first
// moved entry now stands.
template <typename T>
int moveWithinList(std::vector<T> &list, const std::vector<int> &fromIndices, int childIndex)
{
    int c = childIndex;
    const int startedAt = childIndex;
    int inserted = 0;
    for (const int k : fromIndices) {
        const int p = k >= startedAt ? k + inserted : k;
        list.insert(list.begin() + c, list[p]);
        if (p < c) {
            list.erase(list.begin() + p);
            --c;
        } else {
            list.erase(list.begin() + p + 1);
        }
        ++inserted;
    }
    return c;
}

// Events dropped into module `targetModule` at the gap before its event `childIndex`. They come
// from `modules` itself (any of its modules, the target among them), or from another document's
// `otherDocument` when one is given. However the dragged rows mix, they land together in the
// order they were shown, top to bottom, and leave their old places; the target's other events
// keep their order. Entries that name no event are left out.
struct EventDrop {
    std::vector<Module> modules;  // this document's modules after the drop
    int first = 0;                // where the dropped events stand in the target module
    int count = 0;
    bool changed = false;         // false when every event stays where it was
    // For a drag from another document: its events to delete, in an order that keeps each
    // index right when the one before is gone.
    std::vector<DraggedEvent> removals;
};
EventDrop planEventDrop(const std::vector<Module> &modules, int targetModule, int childIndex,
                        const std::vector<DraggedEvent> &dragged, const std::vector<Module> *otherDocument = nullptr);
