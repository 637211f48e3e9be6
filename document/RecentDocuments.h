#pragma once

#include <functional>
#include <string>
#include <vector>

// The documents File > Open Recent offers: the latest first, each once, at most ten.
inline constexpr std::size_t RecentDocumentsKept = 10;

std::vector<std::string> withRecentDocument(std::vector<std::string> recent, const std::string &path);
// The list without the documents that are no longer there.
std::vector<std::string> stillThere(std::vector<std::string> recent, const std::function<bool(const std::string &)> &exists);
