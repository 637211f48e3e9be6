#include "document/Pasteboard.h"

#include "document/ModulePropertyList.h"

#include <climits>

namespace {

std::optional<int> smallInteger(plist_t node)
{
    if (!node || plist_get_node_type(node) != PLIST_UINT)
        return std::nullopt;
    uint64_t value = 0;
    plist_get_uint_val(node, &value);
    if (value > INT_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

PropertyListNode arrayIn(const std::string &data)
{
    PropertyListNode root = parsePropertyList(data);
    if (root.get() && plist_get_node_type(root.get()) != PLIST_ARRAY)
        return PropertyListNode();
    return root;
}

}  // namespace

std::string modulesClipboardData(const std::vector<Module> &modules)
{
    const PropertyListNode array(modulesToPropertyList(modules));
    return propertyListBinary(array.get());
}

std::optional<std::vector<Module>> modulesFromClipboardData(const std::string &data)
{
    const PropertyListNode array = arrayIn(data);
    std::string error;
    return array.get() ? modulesFromPropertyList(array.get(), &error) : std::nullopt;
}

std::string eventsClipboardData(const std::vector<Event> &events)
{
    const PropertyListNode array(eventsToPropertyList(events));
    return propertyListBinary(array.get());
}

std::optional<std::vector<Event>> eventsFromClipboardData(const std::string &data)
{
    const PropertyListNode array = arrayIn(data);
    std::string error;
    return array.get() ? eventsFromPropertyList(array.get(), &error) : std::nullopt;
}

std::string modulesDragData(const std::vector<int> &moduleIndices)
{
    const PropertyListNode array(plist_new_array());
    for (const int index : moduleIndices)
        plist_array_append_item(array.get(), plist_new_uint(static_cast<uint64_t>(index)));
    return propertyListBinary(array.get());
}

std::optional<std::vector<int>> modulesFromDragData(const std::string &data)
{
    const PropertyListNode array = arrayIn(data);
    if (!array.get())
        return std::nullopt;
    std::vector<int> indices;
    for (plist_t item : arrayItems(array.get())) {
        const auto index = smallInteger(item);
        if (!index)
            return std::nullopt;
        indices.push_back(*index);
    }
    return indices;
}

std::string eventsDragData(const std::vector<DraggedEvent> &events)
{
    const PropertyListNode array(plist_new_array());
    for (const DraggedEvent &event : events) {
        plist_t entry = plist_new_dict();
        plist_dict_set_item(entry, "Event Index", plist_new_uint(static_cast<uint64_t>(event.eventIndex)));
        plist_dict_set_item(entry, "Module Index", plist_new_uint(static_cast<uint64_t>(event.moduleIndex)));
        plist_array_append_item(array.get(), entry);
    }
    return propertyListBinary(array.get());
}

std::optional<std::vector<DraggedEvent>> eventsFromDragData(const std::string &data)
{
    const PropertyListNode array = arrayIn(data);
    if (!array.get())
        return std::nullopt;
    std::vector<DraggedEvent> events;
    for (plist_t entry : arrayItems(array.get())) {
        if (plist_get_node_type(entry) != PLIST_DICT)
            return std::nullopt;
        const auto event = smallInteger(plist_dict_get_item(entry, "Event Index"));
        const auto module = smallInteger(plist_dict_get_item(entry, "Module Index"));
        if (!event || !module)
            return std::nullopt;
        events.push_back({*event, *module});
    }
    return events;
}
