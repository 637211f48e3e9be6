#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// What every command of tavorin-cli shares: exit statuses, the usage text, argument readers.

inline constexpr int Done = 0;
inline constexpr int CommandFailed = 1;      // the CP290, the device or a file failed
inline constexpr int UsageError = 2;  // nothing was sent

// A command checked and ready to run; run only once the device (if it needs one) is known.
using Action = std::function<int()>;

struct CommandLine {
    std::string command;
    std::map<std::string, std::string> options;  // "--days" to "3"; a flag to ""
    std::vector<std::string> operands;           // the rest, and everything after "--"
    bool json = false;                           // --json: one JSON document on standard output
    bool has(const std::string &name) const { return options.count(name) != 0; }
    std::optional<std::string> option(const std::string &name) const
    {
        const auto found = options.find(name);
        return found == options.end() ? std::nullopt : std::optional(found->second);
    }
};

// One line saying what is wrong, and where the help is; the status for a usage error.
int usage(const std::string &problem = {});

std::optional<int> wholeNumber(const std::string &text, int low, int high);
std::optional<int> houseIndexOf(char letter);
