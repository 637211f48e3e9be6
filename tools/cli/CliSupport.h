#pragma once

#include <functional>
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
    std::vector<std::string> arguments;  // after the command, options included
    std::vector<std::string> operands;   // after "--": never options, whatever they look like
    bool json = false;                   // --json: one JSON document on standard output
    // Every argument but the options: what a command without options takes.
    std::vector<std::string> all() const
    {
        std::vector<std::string> every = arguments;
        every.insert(every.end(), operands.begin(), operands.end());
        return every;
    }
};

// One line saying what is wrong, and where the help is; the status for a usage error.
int usage(const std::string &problem = {});
// The whole usage, or a command's own when `verb` names one.
void printUsage(FILE *stream, const std::string &verb = {});

std::optional<int> wholeNumber(const std::string &text, int low, int high);
std::optional<int> houseIndexOf(char letter);

// Takes "--name VALUE" out of the arguments; false (after the usage) when the value is missing.
bool takeOption(std::vector<std::string> &arguments, const std::string &name, std::optional<std::string> *value);
