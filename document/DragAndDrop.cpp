#include "document/DragAndDrop.h"

#include "document/ModuleCells.h"

#include <algorithm>

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

EventDrop planEventDrop(const std::vector<Module> &modules, int targetModule, int childIndex,
                        const std::vector<DraggedEvent> &dragged, const std::vector<Module> *otherDocument)
{
    const std::vector<Module> &source = otherDocument ? *otherDocument : modules;
    EventDrop drop;
    drop.modules = modules;
    if (targetModule < 0 || targetModule >= static_cast<int>(modules.size()))
        return drop;
    // The rows as they were shown: by module, then by event.
    std::vector<DraggedEvent> shown;
    for (const DraggedEvent &entry : dragged)
        if (entry.moduleIndex >= 0 && entry.moduleIndex < static_cast<int>(source.size()) && entry.eventIndex >= 0
            && entry.eventIndex < static_cast<int>(source[static_cast<std::size_t>(entry.moduleIndex)].events.size()))
            shown.push_back(entry);
    const auto byRow = [](const DraggedEvent &a, const DraggedEvent &b) {
        return std::pair(a.moduleIndex, a.eventIndex) < std::pair(b.moduleIndex, b.eventIndex);
    };
    std::sort(shown.begin(), shown.end(), byRow);
    shown.erase(std::unique(shown.begin(), shown.end()), shown.end());

    std::vector<Event> block;
    for (const DraggedEvent &entry : shown)
        block.push_back(source[static_cast<std::size_t>(entry.moduleIndex)].events[static_cast<std::size_t>(entry.eventIndex)]);
    drop.removals.assign(shown.rbegin(), shown.rend());
    int place = std::clamp(childIndex, 0, static_cast<int>(modules[static_cast<std::size_t>(targetModule)].events.size()));
    if (!otherDocument) {
        for (const DraggedEvent &entry : drop.removals) {
            auto &events = drop.modules[static_cast<std::size_t>(entry.moduleIndex)].events;
            events.erase(events.begin() + entry.eventIndex);
            if (entry.moduleIndex == targetModule && entry.eventIndex < place)
                --place;
        }
        drop.removals.clear();
    }
    Module &target = drop.modules[static_cast<std::size_t>(targetModule)];
    for (Event &event : block)
        event = eventInLineWith(target, event);
    target.events.insert(target.events.begin() + place, block.begin(), block.end());
    drop.first = place;
    drop.count = static_cast<int>(block.size());
    drop.changed = otherDocument ? !block.empty() : drop.modules != modules;
    return drop;
}
