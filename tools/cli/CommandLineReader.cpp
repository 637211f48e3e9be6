#include "CommandLineReader.h"

#include "CliVerbs.h"

#include <algorithm>

namespace {

// Edits from one text to the other: insertions, deletions, changes, and swaps of neighbours.
std::size_t editDistance(const std::string &from, const std::string &to)
{
    const std::size_t rows = from.size() + 1, columns = to.size() + 1;
    std::vector<std::size_t> cost(rows * columns);
    const auto at = [&](std::size_t i, std::size_t j) -> std::size_t & { return cost[i * columns + j]; };
    for (std::size_t i = 0; i < rows; ++i)
        at(i, 0) = i;
    for (std::size_t j = 0; j < columns; ++j)
        at(0, j) = j;
    for (std::size_t i = 1; i < rows; ++i)
        for (std::size_t j = 1; j < columns; ++j) {
            const std::size_t change = from[i - 1] == to[j - 1] ? 0 : 1;
            at(i, j) = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + change});
            if (i > 1 && j > 1 && from[i - 1] == to[j - 2] && from[i - 2] == to[j - 1])
                at(i, j) = std::min(at(i, j), at(i - 2, j - 2) + 1);
        }
    return at(rows - 1, columns - 1);
}

std::string withSuggestion(const std::string &problem, const std::string &given, const std::vector<std::string> &names)
{
    const auto nearest = nearestName(given, names);
    return nearest ? problem + " (did you mean '" + *nearest + "'?)" : problem;
}

std::vector<std::string> namesOf(const std::vector<OptionHelp> &options)
{
    std::vector<std::string> names;
    for (const OptionHelp &option : options)
        names.push_back(option.name);
    return names;
}

const OptionHelp *findOption(const std::vector<OptionHelp> &options, const std::string &name)
{
    for (const OptionHelp &option : options)
        if (option.name == name)
            return &option;
    return nullptr;
}

bool anyVerbTakes(const std::string &name)
{
    return std::any_of(cliVerbs().begin(), cliVerbs().end(),
                       [&](const VerbHelp &verb) { return findOption(verb.options, name) != nullptr; });
}

bool takesValueSomewhere(const std::string &name)
{
    if (const OptionHelp *common = findOption(commonOptions(), name))
        return !common->value.empty();
    return std::any_of(cliVerbs().begin(), cliVerbs().end(), [&](const VerbHelp &verb) {
        const OptionHelp *option = findOption(verb.options, name);
        return option && !option->value.empty();
    });
}

class ArgumentWalk {
public:
    explicit ArgumentWalk(const std::vector<std::string> &arguments) : given(arguments) {}

    ReadArguments read()
    {
        // The command is known first, so that options before it are read as its own.
        const std::size_t commandAt = findCommand();
        if (commandAt < given.size())
            takeCommand(given[commandAt]);
        for (; at < given.size() && result.problem.empty(); ++at) {
            const std::string &argument = given[at];
            if (argument == "--") {
                result.line.operands.insert(result.line.operands.end(), given.begin() + static_cast<long>(at) + 1, given.end());
                break;
            }
            if (at == commandAt)
                continue;
            if (argument == "-h")
                result.help = true;
            else if (argument.rfind("--", 0) == 0)
                takeOption(argument);
            else if (result.line.command.empty())
                takeCommand(argument);
            else
                result.line.operands.push_back(argument);
        }
        if (result.problem.empty() && result.line.command.empty() && !result.line.operands.empty()) {
            takeCommand(result.line.operands.front());  // the command itself after "--"
            result.line.operands.erase(result.line.operands.begin());
        }
        if (result.line.command == "help") {
            result.help = true;
            result.line.command = result.line.operands.empty() ? std::string() : result.line.operands.front();
            result.line.operands.clear();
        }
        return result;
    }

private:
    std::size_t findCommand() const
    {
        for (std::size_t i = 0; i < given.size(); ++i) {
            const std::string &argument = given[i];
            if (argument == "--")
                break;
            if (argument.rfind("--", 0) == 0) {
                if (argument.find('=') == std::string::npos && takesValueSomewhere(argument))
                    ++i;
            } else if (argument != "-h") {
                return i;
            }
        }
        return given.size();
    }

    void takeCommand(const std::string &command)
    {
        if (command.rfind('-', 0) == 0) {
            result.problem = "unknown option '" + command + "'";
            return;
        }
        result.line.command = command;
        if (command == "help" || findVerb(command))
            return;
        std::vector<std::string> names {"help"};
        for (const VerbHelp &verb : cliVerbs())
            names.push_back(verb.verb);
        result.problem = withSuggestion("unknown command '" + command + "'", command, names);
    }

    void takeOption(const std::string &argument)
    {
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const std::optional<std::string> attached =
            equals == std::string::npos ? std::nullopt : std::optional(argument.substr(equals + 1));
        const VerbHelp *verb = findVerb(result.line.command);
        const OptionHelp *option = findOption(commonOptions(), name);
        if (!option && verb)
            option = findOption(verb->options, name);
        if (!option) {
            refuse(name, verb);
            return;
        }
        if (option->value.empty()) {
            if (attached)
                result.problem = name + " takes no value";
            else if (name == "--help")
                result.help = true;
            else if (name == "--version")
                result.version = true;
            else
                result.line.options[name] = "";
            return;
        }
        std::string value;
        if (attached) {
            value = *attached;
        } else if (at + 1 < given.size()) {
            value = given[++at];
        } else {
            result.problem = name + " needs a value (" + option->value + ")";
            return;
        }
        if (name == "--device")
            result.device = value;
        else
            result.line.options[name] = value;
    }

    void refuse(const std::string &name, const VerbHelp *verb)
    {
        if (verb && anyVerbTakes(name)) {
            result.problem = "'" + verb->verb + "' has no " + name;
            return;
        }
        std::vector<std::string> names = namesOf(commonOptions());
        if (verb) {
            const std::vector<std::string> own = namesOf(verb->options);
            names.insert(names.end(), own.begin(), own.end());
        }
        result.problem = withSuggestion("unknown option '" + name + "'", name, names);
    }

    const std::vector<std::string> &given;
    std::size_t at = 0;
    ReadArguments result;
};

}  // namespace

std::optional<std::string> nearestName(const std::string &given, const std::vector<std::string> &names)
{
    std::optional<std::string> nearest;
    std::size_t best = 0;
    for (const std::string &name : names) {
        const std::size_t distance = editDistance(given, name);
        if (!nearest || distance < best) {
            nearest = name;
            best = distance;
        }
    }
    // A slip is one or two edits, and fewer than half the letters of the shorter word.
    const std::size_t letters = nearest ? std::min(given.size(), nearest->size()) : 0;
    if (!nearest || best == 0 || best > 2 || best * 2 >= letters)
        return std::nullopt;
    return nearest;
}

ReadArguments readArguments(const std::vector<std::string> &given)
{
    return ArgumentWalk(given).read();
}
