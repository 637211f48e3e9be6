#pragma once

#include "model/Records.h"

#include <optional>
#include <plist/plist.h>
#include <string>
#include <vector>

// Modules as property lists: an array of dictionaries with the keys "C", "#", "T", "N", "Events"
// and "X", each event a 20-byte data item in the machine's own byte order. The document file, the
// clipboard and the user defaults all carry modules in this form.

// A new array node; the caller owns it (plist_free).
plist_t modulesToPropertyList(const std::vector<Module> &modules);
// The modules of an array node, or nothing with `error` saying which value is wrong. A name that
// is not valid text (a Latin-1 byte in a UTF-8 file, a control character no reader takes back) is
// repaired: its valid characters kept, U+FFFD for the rest, and `namesRepaired` set.
std::optional<std::vector<Module>> modulesFromPropertyList(plist_t array, std::string *error,
                                                           bool *namesRepaired = nullptr);
// The text with every byte that is not part of valid UTF-8, every control character other than
// tab, line feed and return, and U+FFFE and U+FFFF, replaced by U+FFFD.
std::string validNameText(const std::string &text);

// Events as an array of 20-byte data items in the machine's own order; nothing, with `error`
// naming the item, when one is not such a block.
plist_t eventsToPropertyList(const std::vector<Event> &events);
std::optional<std::vector<Event>> eventsFromPropertyList(plist_t array, std::string *error);

// Converts every event of every module between byte orders with the given converters; nothing on
// a big-endian machine. Items that are not modules with 20-byte events are left for the reader
// to refuse.
void ConvertModulesIfIntel(plist_t modules, uint16_t (*convert16)(uint16_t), uint32_t (*convert32)(uint32_t));

// Owns a property-list node for the length of a scope.
class PropertyListNode {
public:
    explicit PropertyListNode(plist_t owned = nullptr) : node(owned) {}
    ~PropertyListNode() { if (node) plist_free(node); }
    PropertyListNode(PropertyListNode &&other) noexcept : node(other.release()) {}
    PropertyListNode(const PropertyListNode &) = delete;
    PropertyListNode &operator=(const PropertyListNode &) = delete;
    plist_t get() const { return node; }
    plist_t release() { plist_t released = node; node = nullptr; return released; }

private:
    plist_t node;
};

// Parses an XML or binary property list; an empty node when the bytes are neither, or when they
// are not safe to parse (`problem` then says why).
PropertyListNode parsePropertyList(const std::string &bytes, std::string *problem = nullptr);
// The items of an array in order, read in one pass (item by index is linear in the parser).
std::vector<plist_t> arrayItems(plist_t array);
std::string propertyListXml(plist_t node);
std::string propertyListBinary(plist_t node);
