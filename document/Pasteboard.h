#pragma once

#include "model/Records.h"

#include <optional>
#include <string>
#include <vector>

// What the clipboard and the drag pasteboard carry, as binary property lists. Every list runs from
// the bottom row of the outline to the top row. A reader refuses anything that is not exactly what
// these writers put there.

inline constexpr char ModulesPasteboardType[] = "CP290 Modules";
inline constexpr char EventsPasteboardType[] = "CP290 Events";

// The clipboard: complete module records, or event blocks in the machine's own byte order.
std::string modulesClipboardData(const std::vector<Module> &modules);
std::optional<std::vector<Module>> modulesFromClipboardData(const std::string &data);
std::string eventsClipboardData(const std::vector<Event> &events);
std::optional<std::vector<Event>> eventsFromClipboardData(const std::string &data);

// A drag: the indices of the dragged modules, or of the dragged events in their modules.
struct DraggedEvent {
    int eventIndex = 0;
    int moduleIndex = 0;
    friend bool operator==(const DraggedEvent &, const DraggedEvent &) = default;
};
std::string modulesDragData(const std::vector<int> &moduleIndices);
std::optional<std::vector<int>> modulesFromDragData(const std::string &data);
std::string eventsDragData(const std::vector<DraggedEvent> &events);
std::optional<std::vector<DraggedEvent>> eventsFromDragData(const std::string &data);
