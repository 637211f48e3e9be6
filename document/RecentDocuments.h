#pragma once

#include <functional>
#include <string>
#include <vector>

// The documents File > Open Recent offers: the latest first, each once, at most ten.
inline constexpr std::size_t RecentDocumentsKept = 10;

std::vector<std::string> withRecentDocument(std::vector<std::string> recent, const std::string &path);
// The list without the documents that are no longer there.
std::vector<std::string> stillThere(std::vector<std::string> recent, const std::function<bool(const std::string &)> &exists);
// What the menu shows for each path: its file name, and where two share one, the folder it lies
// in after it ("doc12.cp290 — /home/ann/2025") so that the two can be told apart.
std::vector<std::string> recentDocumentTitles(const std::vector<std::string> &paths);
