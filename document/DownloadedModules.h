#pragma once

#include "document/Records.h"

#include <optional>
#include <vector>

// The modules and repeat counts of the document last downloaded, kept in the user defaults
// "Modules" and "EventRepeat" for the background helper to send again.

struct DownloadedModules {
    std::vector<Module> modules;
    ClassicEventRepeat eventRepeat;
};

bool rememberDownloadedModules(const std::vector<Module> &modules, const ClassicEventRepeat &eventRepeat);
std::optional<DownloadedModules> recallDownloadedModules();
