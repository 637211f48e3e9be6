#include "document/RecentDocuments.h"

#include <algorithm>

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
