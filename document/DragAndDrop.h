#pragma once

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
