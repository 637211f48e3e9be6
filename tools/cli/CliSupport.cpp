#include "CliSupport.h"

#include <cctype>
#include <cstdio>

namespace {

struct VerbUsage {
    const char *verb;
    const char *text;  // its synopsis and what it does
};

constexpr VerbUsage Verbs[] = {
    {"on", "  on ADDRESS [LEVEL]   switch on now; LEVEL 1 to 8 dims to LEVEL eighths, 9 is plain on\n"},
    {"off", "  off ADDRESS          switch off now\n"},
    {"clock", "  clock [--json]       show the CP290's clock\n"},
    {"set-clock", "  set-clock            set the CP290's clock to now\n"},
    {"base-house", "  base-house LETTER    set the base house code (erases the stored events)\n"},
    {"self-test", "  self-test            run the self test (erases the stored events)\n"},
    {"list", "  list [--json]        list the events stored in the CP290\n"},
    {"send", "  send FILE [--repeat ON,OFF] [--remember]\n"
             "                       download the document's events into the CP290\n"},
    {"plan", "  plan FILE [--now \"YYYY-MM-DD HH:MM\"] [--location LAT,LON,OFFSET] [--repeat ON,OFF] [--json]\n"
             "                       print the records a download would send, without sending\n"},
    {"schedule", "  schedule FILE [--from YYYY-MM-DD] [--days N] [--location LAT,LON,OFFSET] [--repeat ON,OFF] [--json]\n"
                 "                       print what the CP290 holds each day when the helper sends FILE after midnight\n"},
    {"sun", "  sun [--date YYYY-MM-DD] [--location LAT,LON,OFFSET] [--json]\n"
            "                       print the day's sunrise and sunset\n"},
    {"describe", "  describe FILE        print the document as its outline shows it, fully expanded\n"},
    {"parse", "  parse FILE MODULE EVENT TEXT [--write]\n"
              "                       read TEXT into that event (numbered from 1) as if typed into its row\n"},
    {"devices", "  devices [--json]     list the serial ports, which one is remembered and which may be written\n"},
};

constexpr char Header[] = "usage: tavorin-cli [--device PATH] COMMAND [ARGUMENTS]\n";
constexpr char Footer[] =
    "ADDRESS is a house letter A to P and a unit 1 to 16, 'lights' (all lights) or 'all' (all modules),\n"
    "for example A3, p16, Blights, Call. LAT and LON are whole degrees (north and east positive),\n"
    "OFFSET the offset from Greenwich in hours (\"-5:00\", \"+5:30\") or seconds east; without it each\n"
    "day takes its time zone's offset of that day. Dates run from 1904-01-01 to 2040-02-06. ON and OFF\n"
    "are repeat counts 1 to 10. --device=PATH works as well, before or after the command;\n"
    "-h or --help anywhere shows the help, of the command when one is named; -- ends the options;\n"
    "--json prints one JSON document (see tavorin-cli(1)).\n";

}  // namespace

void printUsage(FILE *stream, const std::string &verb)
{
    std::fputs(Header, stream);
    bool named = false;
    for (const VerbUsage &each : Verbs)
        named = named || each.verb == verb;
    if (!named)
        std::fputs("commands:\n", stream);
    for (const VerbUsage &each : Verbs)
        if (!named || each.verb == verb)
            std::fputs(each.text, stream);
    std::fputs(Footer, stream);
}

int usage(const std::string &problem)
{
    std::fprintf(stderr, "tavorin-cli: %s; see 'tavorin-cli --help'\n",
                 problem.empty() ? "a command is needed" : problem.c_str());
    return UsageError;
}

std::optional<int> wholeNumber(const std::string &text, int low, int high)
{
    const bool negative = !text.empty() && text[0] == '-';
    const std::string digits = negative ? text.substr(1) : text;
    if (digits.empty() || digits.size() > 6)
        return std::nullopt;
    int value = 0;
    for (const char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (negative)
        value = -value;
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<int> houseIndexOf(char letter)
{
    const int upper = std::toupper(static_cast<unsigned char>(letter));
    if (upper < 'A' || upper > 'P')
        return std::nullopt;
    return upper - 'A';
}

bool takeOption(std::vector<std::string> &arguments, const std::string &name, std::optional<std::string> *value)
{
    for (auto at = arguments.begin(); at != arguments.end(); ++at) {
        if (*at != name)
            continue;
        if (at + 1 == arguments.end())
            return false;
        *value = *(at + 1);
        arguments.erase(at, at + 2);
        return true;
    }
    return true;
}
