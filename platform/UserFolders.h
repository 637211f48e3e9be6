#pragma once

#include <string>

// The user's Library folder of the classic desktop: the XDG data home (~/.local/share).
std::string userLibraryFolder();
// Where the toolkit keeps user defaults: the XDG config home (~/.config).
std::string userConfigFolder();
// Create a folder and its parents; true when it exists afterwards.
bool makeFolders(const std::string &path);
