#pragma once

#include <cstdio>
#include <string>
#include <vector>

// What tavorin-cli accepts: every command with its operands, its options and their values, the
// examples of its help. The reader of the command line and the help both read this table.

struct OptionHelp {
    std::string name;   // "--days"
    std::string value;  // "N"; empty for a flag
    std::string help;
};

struct VerbHelp {
    std::string verb;
    std::string operands;  // "FILE", "ADDRESS [LEVEL]"
    std::string summary;
    std::vector<OptionHelp> options;
    std::vector<std::string> examples;
    bool usesDevice = true;
};

const std::vector<VerbHelp> &cliVerbs();
const VerbHelp *findVerb(const std::string &verb);
// The options every command takes, wherever they stand before "--".
const std::vector<OptionHelp> &commonOptions();

// The whole usage, or a command's own (its options, examples and exit statuses) when `verb`
// names one.
void printUsage(FILE *stream, const std::string &verb = {});
