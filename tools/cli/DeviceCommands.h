#pragma once

#include "CliSupport.h"

struct ModuleAddress {
    int houseIndex = 0;  // 0 to 15 for A to P
    int unit = 1;        // 1 to 16, 17 for all lights, 18 for all modules
};

// "A3", "p16", "Blights", "call".
std::optional<ModuleAddress> parseModuleAddress(const std::string &text);

// The commands that work on the CP290 as a whole: on, off, clock, set-clock, base-house,
// self-test, list. Each returns Done with the action set, or the usage error.
int prepareDeviceCommand(const CommandLine &line, Action *action);
bool isDeviceCommand(const std::string &command);
