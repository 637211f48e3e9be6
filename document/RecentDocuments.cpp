#include "document/RecentDocuments.h"

#include <algorithm>
#include <filesystem>

std::vector<std::string> withRecentDocument(std::vector<std::string> recent, const std::string &path)
{
    recent.erase(std::remove(recent.begin(), recent.end(), path), recent.end());
    recent.insert(recent.begin(), path);
    if (recent.size() > RecentDocumentsKept)
        recent.resize(RecentDocumentsKept);
    return recent;
}

std::vector<std::string> stillThere(std::vector<std::string> recent, const std::function<bool(const std::string &)> &exists)
{
    recent.erase(std::remove_if(recent.begin(), recent.end(), [&](const std::string &path) { return !exists(path); }),
                 recent.end());
    return recent;
}

std::vector<std::string> recentDocumentTitles(const std::vector<std::string> &paths)
{
    const auto nameOf = [](const std::string &path) { return std::filesystem::path(path).filename().string(); };
    std::vector<std::string> titles;
    for (const std::string &path : paths) {
        const std::string name = nameOf(path);
        const bool shared = std::count_if(paths.begin(), paths.end(), [&](const std::string &other) { return nameOf(other) == name; }) > 1;
        titles.push_back(shared ? name + " \u2014 " + std::filesystem::path(path).parent_path().string() : name);
    }
    return titles;
}
