#include "CliVerbs.h"

namespace {

const OptionHelp Json {"--json", "", "print one JSON document (see tavorin-cli(1))"};
const OptionHelp Repeat {"--repeat", "ON,OFF", "send each on and each off record 1 to 10 times (the document's own counts)"};
const OptionHelp Place {"--location", "LAT,LON,OFFSET",
                        "whole degrees north and east, and hours from Greenwich (\"-5:00\") or seconds east\n"
                        "                          (without it: the preferences' place, each day with its zone's offset)"};

constexpr char Addresses[] =
    "ADDRESS is a house letter A to P and a unit 1 to 16, 'lights' (all lights) or 'all' (all modules),\n"
    "for example A3, p16, Blights, Call.\n";
constexpr char Dates[] = "Dates run from 1904-01-01 to 2040-02-06.\n";

constexpr char DeviceStatuses[] =
    "exit status: 0 done; 1 the CP290, the device or a file failed; 2 a usage error (nothing was sent)\n";
constexpr char DocumentStatuses[] =
    "exit status: 0 done; 1 the document could not be read or written; 2 a usage error\n";

}  // namespace

const std::vector<VerbHelp> &cliVerbs()
{
    static const std::vector<VerbHelp> verbs {
        {"on", "ADDRESS [LEVEL]", "switch on now; LEVEL 1 to 8 dims to LEVEL eighths, 9 is plain on", {},
         {"tavorin-cli on A3", "tavorin-cli on B2 4", "tavorin-cli on Plights"}},
        {"off", "ADDRESS", "switch off now", {}, {"tavorin-cli off A3", "tavorin-cli off Call"}},
        {"clock", "", "show the CP290's clock", {Json}, {"tavorin-cli clock", "tavorin-cli --device=/dev/ttyUSB0 clock --json"}},
        {"set-clock", "", "set the CP290's clock to now", {}, {"tavorin-cli set-clock"}},
        {"base-house", "LETTER", "set the base house code (erases the stored events)", {}, {"tavorin-cli base-house A"}},
        {"self-test", "", "run the self test (erases the stored events)", {}, {"tavorin-cli self-test"}},
        {"list", "", "list the events stored in the CP290", {Json}, {"tavorin-cli list", "tavorin-cli list --json"}},
        {"send", "FILE", "download the document's events into the CP290",
         {Repeat, Place,
          {"--remember", "", "keep this download for the helper to send again after each midnight, whatever the device"}},
         {"tavorin-cli send house.cp290", "tavorin-cli send house.cp290 --repeat=2,2 --location 41,-74,-5:00"}},
        {"plan", "FILE", "print the records a download would send, without sending",
         {{"--now", "\"YYYY-MM-DD HH:MM\"", "the moment of the download (now)"}, Place, Repeat, Json},
         {"tavorin-cli plan house.cp290", "tavorin-cli plan house.cp290 --now \"2026-12-24 18:00\" --json"},
         false},
        {"schedule", "FILE", "print what the CP290 holds each day when the helper sends FILE after midnight",
         {{"--from", "YYYY-MM-DD", "the first day (today)"}, {"--days", "N", "how many days, 1 to 366 (7)"}, Place, Repeat, Json},
         {"tavorin-cli schedule house.cp290", "tavorin-cli schedule house.cp290 --from=2027-03-27 --days=3"},
         false},
        {"sun", "", "print the day's sunrise and sunset",
         {{"--date", "YYYY-MM-DD", "the day (today)"}, Place, Json},
         {"tavorin-cli sun", "tavorin-cli sun --date 2026-06-21 --location 60,25,+2:00"},
         false},
        {"describe", "FILE", "print the document as its outline shows it, fully expanded", {},
         {"tavorin-cli describe house.cp290"}, false},
        {"parse", "FILE MODULE EVENT TEXT", "read TEXT into that event (numbered from 1) as if typed into its row",
         {{"--write", "", "save the document with the change"}},
         {"tavorin-cli parse house.cp290 1 2 \"Turn Off @ 11:45 PM Every Day\" --write"}, false},
        {"devices", "", "list the serial ports, which one is remembered and which may be written", {Json},
         {"tavorin-cli devices"}, false},
    };
    return verbs;
}

const VerbHelp *findVerb(const std::string &verb)
{
    for (const VerbHelp &each : cliVerbs())
        if (each.verb == verb)
            return &each;
    return nullptr;
}

const std::vector<OptionHelp> &commonOptions()
{
    static const std::vector<OptionHelp> options {
        {"--device", "PATH", "the serial port of the CP290 (the one the application remembers)"},
        {"--help", "", "this help, or a command's (also -h, or tavorin-cli help COMMAND)"},
        {"--version", "", "the version"},
    };
    return options;
}

namespace {

std::string synopsis(const VerbHelp &verb)
{
    std::string line = verb.verb;
    if (!verb.operands.empty())
        line += " " + verb.operands;
    for (const OptionHelp &option : verb.options)
        line += " [" + option.name + (option.value.empty() ? "" : " " + option.value) + "]";
    return line;
}

void printOptions(FILE *stream, const std::vector<OptionHelp> &options)
{
    for (const OptionHelp &option : options) {
        const std::string named = option.name + (option.value.empty() ? "" : "=" + option.value);
        std::fprintf(stream, "  %-24s%s%s\n", named.c_str(), named.size() >= 24 ? "\n                          " : "",
                     option.help.c_str());
    }
}

void printVerbUsage(FILE *stream, const VerbHelp &verb)
{
    std::fprintf(stream, "usage: tavorin-cli [--device PATH] %s\n%s\n", synopsis(verb).c_str(), verb.summary.c_str());
    if (!verb.options.empty()) {
        std::fputs("options (--name=VALUE or --name VALUE; the last one given counts):\n", stream);
        printOptions(stream, verb.options);
    }
    if (verb.operands.find("ADDRESS") != std::string::npos)
        std::fputs(Addresses, stream);
    if (verb.usesDevice)
        std::fputs("Without --device the command uses the serial port the application remembers.\n", stream);
    else if (verb.verb != "describe" && verb.verb != "parse" && verb.verb != "devices")
        std::fputs(Dates, stream);
    std::fputs("examples:\n", stream);
    for (const std::string &example : verb.examples)
        std::fprintf(stream, "  %s\n", example.c_str());
    std::fputs(verb.usesDevice ? DeviceStatuses : DocumentStatuses, stream);
}

}  // namespace

void printUsage(FILE *stream, const std::string &verb)
{
    if (const VerbHelp *named = findVerb(verb)) {
        printVerbUsage(stream, *named);
        return;
    }
    std::fputs("usage: tavorin-cli [--device PATH] COMMAND [ARGUMENTS]\ncommands:\n", stream);
    for (const VerbHelp &each : cliVerbs())
        std::fprintf(stream, "  %-20s %s\n", (each.verb + (each.operands.empty() ? "" : " " + each.operands)).c_str(),
                     each.summary.c_str());
    std::fputs("options of every command:\n", stream);
    printOptions(stream, commonOptions());
    std::fputs(Addresses, stream);
    std::fputs("'tavorin-cli help COMMAND' shows a command's options and examples; -- ends the options.\n", stream);
    std::fputs(DeviceStatuses, stream);
}
