#include "platform/LoginItems.h"

#include "platform/HelperBundle.h"
#include "platform/UserFolders.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr char HelperEntryName[] = "tavorin-helper.desktop";

// The program of an Exec line: its first word, which may be quoted and hold blanks.
std::string programOf(const std::string &exec)
{
    if (!exec.empty() && exec.front() == '"') {
        std::string program;
        for (std::size_t i = 1; i < exec.size() && exec[i] != '"'; ++i) {
            if (exec[i] == '\\' && i + 1 < exec.size())
                ++i;
            program += exec[i];
        }
        return program;
    }
    return exec.substr(0, exec.find(' '));
}

std::string quoted(const std::string &path)
{
    std::string text = "\"";
    for (const char c : path) {
        if (c == '"' || c == '\\' || c == '`' || c == '$')
            text += '\\';
        text += c;
    }
    return text + "\"";
}

}  // namespace

std::string loginItemsFolder()
{
    return userConfigFolder() + "/autostart";
}

std::vector<LoginItem> readLoginItems(const std::string &folder)
{
    std::vector<LoginItem> items;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        if (entry->path().extension() != ".desktop")
            continue;
        std::ifstream file(entry->path());
        LoginItem item;
        item.entryFile = entry->path().string();
        for (std::string line; std::getline(file, line);) {
            if (line.rfind("Exec=", 0) == 0)
                item.path = programOf(line.substr(5));
            else if (line == "X-Tavorin-Hide=true")
                item.hide = true;
        }
        items.push_back(item);
    }
    std::sort(items.begin(), items.end(), [](const LoginItem &a, const LoginItem &b) { return a.entryFile < b.entryFile; });
    return items;
}

bool isHelperLoginItem(const LoginItem &item)
{
    return !item.path.empty() && item.path.find(HelperBundleName) != std::string::npos;
}

const LoginItem *findHelperLoginItem(const std::vector<LoginItem> &items)
{
    for (auto item = items.rbegin(); item != items.rend(); ++item)
        if (isHelperLoginItem(*item))
            return &*item;
    return nullptr;
}

bool addLoginItem(const std::string &path, bool hide, const std::string &folder)
{
    if (!makeFolders(folder))
        return false;
    std::ofstream entry(folder + "/" + HelperEntryName, std::ios::trunc);
    entry << "[Desktop Entry]\nType=Application\nName=Tavorin Helper\n"
          << "Comment=Downloads the CP290's events again every day\n"
          << "Exec=" << quoted(path) << "\nTerminal=false\nNoDisplay=true\n"
          << "X-Tavorin-Hide=" << (hide ? "true" : "false") << "\n";
    return static_cast<bool>(entry.flush());
}

bool removeLoginItem(const LoginItem &item)
{
    std::error_code error;
    return fs::remove(item.entryFile, error);
}
