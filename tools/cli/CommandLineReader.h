#pragma once

#include "CliSupport.h"

#include <optional>
#include <string>
#include <vector>

// The arguments read by the table of commands: each option as --name=VALUE or --name VALUE (the
// last one given counts), --device, --help and --version anywhere before "--", and a command or
// option mistyped answered with the nearest one.
struct ReadArguments {
    CommandLine line;       // empty command: none given
    std::string device;     // --device
    bool help = false;      // -h, --help, or the command "help"
    bool version = false;
    std::string problem;    // a usage error, said in one line
};

ReadArguments readArguments(const std::vector<std::string> &given);

// The name nearest to `given` by edits (a swap of two neighbours counts as one), when near
// enough to be a slip.
std::optional<std::string> nearestName(const std::string &given, const std::vector<std::string> &names);
