#pragma once

#include <optional>
#include <string>
#include <vector>

// The command line over the driver. A command is parsed completely before anything is sent.

struct ModuleAddress {
    int houseIndex = 0;  // 0 to 15 for A to P
    int unit = 1;        // 1 to 16, 17 for all lights, 18 for all modules
};

// "A3", "p16", "Blights", "call".
std::optional<ModuleAddress> parseModuleAddress(const std::string &text);

struct CliRequest {
    std::string device;  // empty: the device the application remembers
    std::string command;
    std::vector<std::string> arguments;
};

// Exit status: 0 done, 1 the CP290 or the device failed, 2 usage error (nothing sent).
int runCli(const std::vector<std::string> &arguments);
