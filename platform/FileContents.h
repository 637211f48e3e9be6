#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string>

// A whole file read at once; nothing, with `error` saying why, when it cannot be read. Only a
// regular file is read, never waited on: a pipe, a socket or a device (which could block for
// ever or never end) is refused, and so is a file longer than `limit` bytes.
std::optional<std::string> readFileContents(const std::string &path, std::string *error = nullptr,
                                            std::size_t limit = std::numeric_limits<std::size_t>::max());

// Replaces what a file holds, atomically: a temporary file in the folder of the file itself (of
// the final target, when `path` is a symbolic link, so that the link stays a link), written and
// synced without a name where the file system allows, then named and renamed over it. A rewritten
// file keeps its mode, and its owner and group where the process may set them; a new one gets
// what the user's mask allows. A failure leaves the old file as it was and no temporary behind;
// a temporary that a killed save left beside the file goes at the next save.
bool replaceFileContents(const std::string &path, const std::string &bytes, std::string *error);
