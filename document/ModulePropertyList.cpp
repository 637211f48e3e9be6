#include "document/ModulePropertyList.h"

#include "driver/DeviceOperations.h"
#include "platform/PropertyListGate.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr uint32_t Convertible = 0x02000001;

bool hostIsBigEndian()
{
    uint8_t first = 0;
    std::memcpy(&first, &Convertible, 1);
    return first == 2;
}

uint32_t read32(const uint8_t *bytes)
{
    uint32_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

uint16_t read16(const uint8_t *bytes)
{
    uint16_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

void write32(uint8_t *bytes, uint32_t value)
{
    std::memcpy(bytes, &value, sizeof value);
}

void write16(uint8_t *bytes, uint16_t value)
{
    std::memcpy(bytes, &value, sizeof value);
}

std::string where(uint32_t module, const char *key)
{
    return "module " + std::to_string(module + 1) + ": \"" + key + "\"";
}

bool readInteger(plist_t dictionary, const char *key, int64_t low, int64_t high, int64_t *value, uint32_t module,
                 std::string *error)
{
    plist_t item = plist_dict_get_item(dictionary, key);
    if (!item) {
        *error = where(module, key) + " is missing";
        return false;
    }
    uint64_t stored = 0;
    if (plist_get_node_type(item) != PLIST_UINT) {
        *error = where(module, key) + " is not an integer";
        return false;
    }
    plist_get_uint_val(item, &stored);
    const auto signedValue = static_cast<int64_t>(stored);
    if (signedValue < low || signedValue > high) {
        *error = where(module, key) + " is " + std::to_string(signedValue) + ", not " + std::to_string(low) + " to "
            + std::to_string(high);
        return false;
    }
    *value = signedValue;
    return true;
}

std::optional<Module> readModule(plist_t dictionary, uint32_t index, std::string *error, bool *repaired)
{
    if (plist_get_node_type(dictionary) != PLIST_DICT) {
        *error = "module " + std::to_string(index + 1) + " is not a dictionary";
        return std::nullopt;
    }
    Module module;
    if (!readInteger(dictionary, "C", 0, 15, &module.houseCode, index, error)
        || !readInteger(dictionary, "#", 1, CP290AllModulesUnit, &module.unit, index, error)
        || !readInteger(dictionary, "T", 0, 2, &module.type, index, error))
        return std::nullopt;

    plist_t name = plist_dict_get_item(dictionary, "N");
    plist_t events = plist_dict_get_item(dictionary, "Events");
    plist_t expanded = plist_dict_get_item(dictionary, "X");
    if (!name || plist_get_node_type(name) != PLIST_STRING) {
        *error = where(index, "N") + (name ? " is not a string" : " is missing");
        return std::nullopt;
    }
    if (!events || plist_get_node_type(events) != PLIST_ARRAY) {
        *error = where(index, "Events") + (events ? " is not an array" : " is missing");
        return std::nullopt;
    }
    if (!expanded || plist_get_node_type(expanded) != PLIST_BOOLEAN) {
        *error = where(index, "X") + (expanded ? " is not a boolean" : " is missing");
        return std::nullopt;
    }
    uint64_t nameLength = 0;
    const char *nameText = plist_get_string_ptr(name, &nameLength);
    // A name is text: it ends at a NUL, as it does once written back.
    module.name.assign(nameText ? nameText : "", nameText ? strnlen(nameText, nameLength) : 0);
    if (std::string valid = validNameText(module.name); valid != module.name) {
        module.name = std::move(valid);
        *repaired = true;
    }
    uint8_t isExpanded = 0;
    plist_get_bool_val(expanded, &isExpanded);
    module.expanded = isExpanded != 0;
    std::string eventError;
    auto read = eventsFromPropertyList(events, &eventError);
    if (!read) {
        *error = where(index, "Events") + " " + eventError;
        return std::nullopt;
    }
    module.events = std::move(*read);
    return module;
}

}  // namespace

plist_t eventsToPropertyList(const std::vector<Event> &events)
{
    plist_t array = plist_new_array();
    for (const Event &event : events) {
        const std::vector<uint8_t> bytes = eventBytes(event);
        plist_array_append_item(array, plist_new_data(reinterpret_cast<const char *>(bytes.data()), bytes.size()));
    }
    return array;
}

std::optional<std::vector<Event>> eventsFromPropertyList(plist_t array, std::string *error)
{
    std::vector<Event> events;
    const std::vector<plist_t> items = arrayItems(array);
    events.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        plist_t item = items[i];
        uint64_t length = 0;
        const char *bytes = plist_get_node_type(item) == PLIST_DATA ? plist_get_data_ptr(item, &length) : nullptr;
        if (!bytes || length != EventRecordSize) {
            *error = "item " + std::to_string(i + 1)
                + (bytes ? " is " + std::to_string(length) + " bytes, not 20" : " is not a data item");
            return std::nullopt;
        }
        uint8_t record[EventRecordSize];
        std::memcpy(record, bytes, EventRecordSize);
        events.push_back(eventFromBytes(record));
    }
    return events;
}

plist_t modulesToPropertyList(const std::vector<Module> &modules)
{
    plist_t array = plist_new_array();
    for (const Module &module : modules) {
        // Keys in sorted order, as existing documents hold them, so that a saved file compares
        // line by line with the one it replaced.
        plist_t dictionary = plist_new_dict();
        plist_dict_set_item(dictionary, "#", plist_new_uint(static_cast<uint64_t>(module.unit)));
        plist_dict_set_item(dictionary, "C", plist_new_uint(static_cast<uint64_t>(module.houseCode)));
        plist_dict_set_item(dictionary, "Events", eventsToPropertyList(module.events));
        plist_dict_set_item(dictionary, "N", plist_new_string(module.name.c_str()));
        plist_dict_set_item(dictionary, "T", plist_new_uint(static_cast<uint64_t>(module.type)));
        plist_dict_set_item(dictionary, "X", plist_new_bool(module.expanded));
        plist_array_append_item(array, dictionary);
    }
    return array;
}

std::string validNameText(const std::string &text)
{
    static const std::string Replacement = "\xEF\xBF\xBD";
    std::string valid;
    valid.reserve(text.size());
    const auto byte = [&text](std::size_t at) { return static_cast<uint8_t>(text[at]); };
    for (std::size_t at = 0; at < text.size();) {
        const uint8_t lead = byte(at);
        if (lead < 0x80) {
            const bool control = (lead < 0x20 && lead != '\t' && lead != '\n' && lead != '\r');
            valid += control ? Replacement : std::string(1, static_cast<char>(lead));
            ++at;
            continue;
        }
        // The length of the sequence and the range its second byte must fall in (no overlong
        // forms, no surrogates, nothing past U+10FFFF).
        std::size_t length = 0;
        uint8_t low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        }
        std::size_t good = length ? 1 : 0;
        while (good && good < length && at + good < text.size()) {
            const uint8_t next = byte(at + good);
            const bool inRange = good == 1 ? next >= low && next <= high : next >= 0x80 && next <= 0xBF;
            if (!inRange)
                break;
            ++good;
        }
        // U+FFFE and U+FFFF are valid UTF-8 but no XML reader takes them back.
        const bool nonCharacter = length == 3 && lead == 0xEF && good == 3 && byte(at + 1) == 0xBF && byte(at + 2) >= 0xBE;
        if (length && good == length && !nonCharacter) {
            valid.append(text, at, length);
            at += length;
        } else {
            valid += Replacement;
            at += std::max<std::size_t>(good, 1);
        }
    }
    return valid;
}

std::optional<std::vector<Module>> modulesFromPropertyList(plist_t array, std::string *error, bool *namesRepaired)
{
    bool repaired = false;
    if (!array || plist_get_node_type(array) != PLIST_ARRAY) {
        *error = "the modules are not an array";
        return std::nullopt;
    }
    std::vector<Module> modules;
    const std::vector<plist_t> items = arrayItems(array);
    modules.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        auto module = readModule(items[i], static_cast<uint32_t>(i), error, &repaired);
        if (!module)
            return std::nullopt;
        modules.push_back(std::move(*module));
    }
    if (namesRepaired)
        *namesRepaired = repaired;
    return modules;
}

void ConvertModulesIfIntel(plist_t modules, uint16_t (*convert16)(uint16_t), uint32_t (*convert32)(uint32_t))
{
    if (hostIsBigEndian() || plist_get_node_type(modules) != PLIST_ARRAY)
        return;
    for (plist_t module : arrayItems(modules)) {
        plist_t events = plist_get_node_type(module) == PLIST_DICT ? plist_dict_get_item(module, "Events") : nullptr;
        if (!events || plist_get_node_type(events) != PLIST_ARRAY)
            continue;
        for (plist_t item : arrayItems(events)) {
            uint64_t length = 0;
            const char *data = plist_get_node_type(item) == PLIST_DATA ? plist_get_data_ptr(item, &length) : nullptr;
            if (!data || length != EventRecordSize)
                continue;
            uint8_t block[EventRecordSize];
            std::memcpy(block, data, EventRecordSize);
            for (const int offset : {0, 4, 8})
                write32(block + offset, convert32(read32(block + offset)));
            for (const int offset : {12, 14, 16})
                write16(block + offset, convert16(read16(block + offset)));
            plist_set_data_val(item, reinterpret_cast<const char *>(block), EventRecordSize);
        }
    }
}

std::vector<plist_t> arrayItems(plist_t array)
{
    std::vector<plist_t> items;
    items.reserve(plist_array_get_size(array));
    plist_array_iter iter = nullptr;
    plist_array_new_iter(array, &iter);
    for (plist_t item = nullptr;;) {
        plist_array_next_item(array, iter, &item);
        if (!item)
            break;
        items.push_back(item);
    }
    std::free(iter);
    return items;
}

PropertyListNode parsePropertyList(const std::string &bytes, std::string *problem)
{
    const PropertyListInput input = checkedPropertyList(bytes);
    if (!input.problem.empty()) {
        if (problem)
            *problem = input.problem;
        return PropertyListNode();
    }
    plist_t node = nullptr;
    const auto length = static_cast<uint32_t>(input.bytes.size());
    if (input.binary)
        plist_from_bin(input.bytes.data(), length, &node);
    else if (length > 0)
        plist_from_xml(input.bytes.data(), length, &node);
    return PropertyListNode(node);
}

namespace {

template <void (*Serialize)(plist_t, char **, uint32_t *), void (*Free)(char *)>
std::string serialized(plist_t node)
{
    char *bytes = nullptr;
    uint32_t length = 0;
    Serialize(node, &bytes, &length);
    std::string result(bytes ? bytes : "", bytes ? length : 0);
    Free(bytes);
    return result;
}

}  // namespace

std::string propertyListXml(plist_t node)
{
    return serialized<plist_to_xml, plist_to_xml_free>(node);
}

std::string propertyListBinary(plist_t node)
{
    return serialized<plist_to_bin, plist_to_bin_free>(node);
}
