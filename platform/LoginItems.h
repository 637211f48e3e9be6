#pragma once

#include <string>
#include <vector>

// The user's login items: the XDG autostart folder (~/.config/autostart), one desktop entry an
// item. The classic login-window domain is read as "loginwindow" and written as "loginWindow";
// here both names are this one folder.

struct LoginItem {
    std::string path;  // the program the entry starts
    bool hide = false;
    std::string entryFile;
};

std::string loginItemsFolder();
std::vector<LoginItem> readLoginItems(const std::string &folder = loginItemsFolder());
// An entry whose path names the helper's bundle, wherever it lies.
bool isHelperLoginItem(const LoginItem &item);
const LoginItem *findHelperLoginItem(const std::vector<LoginItem> &items);
// Writes the helper's entry; the path is escaped as desktop entries require ('%', '\', quotes,
// tab and line breaks). `application`, when given, is the entry's TryExec: the program whose
// removal ends the entry. False when it cannot be written, or when a path holds another control
// character, which no desktop entry can carry.
bool addLoginItem(const std::string &path, bool hide, const std::string &application = {},
                  const std::string &folder = loginItemsFolder());
bool removeLoginItem(const LoginItem &item);
// Removes the helper's entry from the user's login items, if there is one.
void removeHelperLoginItem(const std::string &folder = loginItemsFolder());
