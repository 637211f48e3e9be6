#pragma once

#include <string>
#include <string_view>

// The one way in for every property list read from outside (documents, clipboard and drag data,
// the helper's remembered modules, a helper bundle's Info.plist): the bytes as the parser should
// see them (an XML list without a UTF-8 byte-order mark), and why they must not be parsed at all.
struct PropertyListInput {
    std::string_view bytes;
    bool binary = false;
    std::string problem;  // empty when the bytes may be parsed
};
PropertyListInput checkedPropertyList(std::string_view bytes);
