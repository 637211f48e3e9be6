#pragma once

#include "model/Records.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The module document as a file: a property-list dictionary of four keys, "Modules",
// "DrawerOpen", "SelectedRows" and "EventRepeat", with every event big-endian.

struct DocumentFileContent {
    std::vector<Module> modules;
    bool drawerOpen = false;
    std::vector<int64_t> selectedRows;  // in descending row order, as the outline lists them
    ClassicEventRepeat eventRepeat;
    friend bool operator==(const DocumentFileContent &, const DocumentFileContent &) = default;
};

struct DocumentReadResult {
    std::optional<DocumentFileContent> content;
    std::string error;          // why the file was refused
    bool namesRepaired = false;  // a name was not valid text: the document differs from its file
};

// The largest file read as a document: over a million events, far more than any house has.
constexpr std::size_t MaximumDocumentBytes = 64 * 1024 * 1024;

// Reads an XML or binary property list. A file that is not a document is refused with a reason,
// and so is a pipe, a device or a file over the largest size, without waiting on it or reading
// it whole; nothing is half read.
DocumentReadResult readDocumentFile(const std::string &path);
DocumentReadResult readDocumentBytes(const std::string &bytes);

// The XML property list of a document, as the file holds it.
std::string documentXml(const DocumentFileContent &content);
// Writes the file atomically: a temporary file beside it, renamed over it once complete.
bool writeDocumentFile(const std::string &path, const DocumentFileContent &content, std::string *error);
