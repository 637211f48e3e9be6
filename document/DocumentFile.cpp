#include "document/DocumentFile.h"

#include "document/ModulePropertyList.h"
#include "platform/FileContents.h"

#include <cerrno>
#include <cstring>
#include <endian.h>

namespace {

uint16_t hostToBig16(uint16_t value) { return htobe16(value); }
uint32_t hostToBig32(uint32_t value) { return htobe32(value); }
uint16_t bigToHost16(uint16_t value) { return be16toh(value); }
uint32_t bigToHost32(uint32_t value) { return be32toh(value); }

DocumentReadResult refused(const std::string &reason)
{
    return {std::nullopt, reason};
}

plist_t requiredItem(plist_t dictionary, const char *key, plist_type type, const char *typeName, std::string *error)
{
    plist_t item = plist_dict_get_item(dictionary, key);
    if (!item)
        *error = std::string("the key \"") + key + "\" is missing";
    else if (plist_get_node_type(item) != type)
        *error = std::string("\"") + key + "\" is not " + typeName;
    else
        return item;
    return nullptr;
}

}  // namespace

DocumentReadResult readDocumentBytes(const std::string &bytes)
{
    std::string problem;
    const PropertyListNode root = parsePropertyList(bytes, &problem);
    if (!root.get())
        return refused(problem.empty() ? "it is not a property list" : problem);
    if (plist_get_node_type(root.get()) != PLIST_DICT)
        return refused("it is not a property-list dictionary");

    std::string error;
    plist_t modules = requiredItem(root.get(), "Modules", PLIST_ARRAY, "an array", &error);
    plist_t drawer = modules ? requiredItem(root.get(), "DrawerOpen", PLIST_BOOLEAN, "a boolean", &error) : nullptr;
    plist_t rows = drawer ? requiredItem(root.get(), "SelectedRows", PLIST_ARRAY, "an array", &error) : nullptr;
    plist_t repeat = rows ? requiredItem(root.get(), "EventRepeat", PLIST_DATA, "data", &error) : nullptr;
    if (!repeat)
        return refused(error);

    DocumentFileContent content;
    uint8_t drawerOpen = 0;
    plist_get_bool_val(drawer, &drawerOpen);
    content.drawerOpen = drawerOpen != 0;

    for (plist_t row : arrayItems(rows)) {
        uint64_t value = 0;
        if (plist_get_node_type(row) != PLIST_UINT)
            return refused("\"SelectedRows\" holds something other than row numbers");
        plist_get_uint_val(row, &value);
        if (value > INT32_MAX)
            return refused("\"SelectedRows\" holds a row number out of range");
        content.selectedRows.push_back(static_cast<int64_t>(value));
    }

    uint64_t repeatLength = 0;
    const char *repeatBytes = plist_get_data_ptr(repeat, &repeatLength);
    if (!repeatBytes || repeatLength < 2)
        return refused("\"EventRepeat\" holds fewer than two bytes");
    content.eventRepeat = {static_cast<uint8_t>(repeatBytes[0]), static_cast<uint8_t>(repeatBytes[1])};

    ConvertModulesIfIntel(modules, bigToHost16, bigToHost32);
    bool namesRepaired = false;
    auto read = modulesFromPropertyList(modules, &error, &namesRepaired);
    if (!read)
        return refused(error);
    content.modules = std::move(*read);
    return {std::move(content), {}, namesRepaired};
}

DocumentReadResult readDocumentFile(const std::string &path)
{
    std::string error;
    const auto bytes = readFileContents(path, &error, MaximumDocumentBytes);
    if (!bytes)
        return refused("it cannot be opened: " + error);
    return readDocumentBytes(*bytes);
}

std::string documentXml(const DocumentFileContent &content)
{
    PropertyListNode root(plist_new_dict());
    plist_dict_set_item(root.get(), "DrawerOpen", plist_new_bool(content.drawerOpen));
    const char repeat[2] = {static_cast<char>(content.eventRepeat.OnRepeat), static_cast<char>(content.eventRepeat.OffRepeat)};
    plist_dict_set_item(root.get(), "EventRepeat", plist_new_data(repeat, sizeof repeat));
    plist_t modules = modulesToPropertyList(content.modules);
    ConvertModulesIfIntel(modules, hostToBig16, hostToBig32);
    plist_dict_set_item(root.get(), "Modules", modules);
    plist_t rows = plist_new_array();
    for (const int64_t row : content.selectedRows)
        plist_array_append_item(rows, plist_new_uint(static_cast<uint64_t>(row)));
    plist_dict_set_item(root.get(), "SelectedRows", rows);
    return propertyListXml(root.get());
}

bool writeDocumentFile(const std::string &path, const DocumentFileContent &content, std::string *error)
{
    return replaceFileContents(path, documentXml(content), error);
}
