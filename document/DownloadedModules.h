#pragma once

#include "model/Records.h"

#include <optional>
#include <string>
#include <vector>

// The modules and repeat counts of the document last downloaded, kept in the user defaults
// "Modules" and "EventRepeat" for the background helper to send again.

struct DownloadedModules {
    std::vector<Module> modules;
    ClassicEventRepeat eventRepeat;
};

bool rememberDownloadedModules(const std::vector<Module> &modules, const ClassicEventRepeat &eventRepeat);
// Whether a download that went to `device` is the one the helper repeats: only one to the
// remembered serial device (the same file, by whatever path), so that trying another device or
// an emulator by hand never becomes what the real CP290 is sent after midnight.
bool downloadToRememberedDevice(const std::string &device);
// What was remembered; nothing when nothing was, or, with `problem` saying why, when what is
// there cannot be read.
std::optional<DownloadedModules> recallDownloadedModules(std::string *problem = nullptr);
