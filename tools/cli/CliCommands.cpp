#include "CliCommands.h"

#include "driver/CommandExchange.h"
#include "driver/DeviceOperations.h"
#include "driver/SerialLink.h"
#include "driver/StoredEventListing.h"
#include "platform/Alerts.h"
#include "platform/DateTime.h"
#include "platform/StatusHooks.h"
#include "platform/UserDefaultsFile.h"

#include <cctype>
#include <cstdio>
#include <functional>

namespace {

constexpr int Done = 0;
constexpr int Failed = 1;
constexpr int UsageError = 2;

constexpr char Usage[] =
    "usage: tavorin-cli [--device PATH] COMMAND\n"
    "commands:\n"
    "  on ADDRESS [LEVEL]   switch on now; LEVEL 1 to 8 dims to LEVEL eighths, 9 is plain on\n"
    "  off ADDRESS          switch off now\n"
    "  clock                show the CP290's clock\n"
    "  set-clock            set the CP290's clock to now\n"
    "  base-house LETTER    set the base house code (erases the stored events)\n"
    "  self-test            run the self test (erases the stored events)\n"
    "  list                 list the events stored in the CP290\n"
    "ADDRESS is a house letter A to P and a unit 1 to 16, 'lights' (all lights) or 'all' (all modules),\n"
    "for example A3, p16, Blights, Call.\n";

int usage(const std::string &problem = {})
{
    if (!problem.empty())
        std::fprintf(stderr, "tavorin-cli: %s\n", problem.c_str());
    std::fputs(Usage, stderr);
    return UsageError;
}

std::optional<int> houseIndexOf(char letter)
{
    const int upper = std::toupper(static_cast<unsigned char>(letter));
    if (upper < 'A' || upper > 'P')
        return std::nullopt;
    return upper - 'A';
}

std::optional<int> wholeNumber(const std::string &text, int low, int high)
{
    if (text.empty() || text.size() > 3)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

std::string lowered(std::string text)
{
    for (char &c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

int reportFailure(const std::string &title)
{
    requestAlert(title, "");
    return Failed;
}

using Action = std::function<int()>;

int prepareSwitch(const CliRequest &request, Action *action)
{
    const bool on = request.command == "on";
    const std::size_t allowed = on ? 2 : 1;
    if (request.arguments.empty() || request.arguments.size() > allowed)
        return usage("'" + request.command + "' takes " + (on ? "an address and an optional level" : "an address"));
    const auto address = parseModuleAddress(request.arguments[0]);
    if (!address)
        return usage("'" + request.arguments[0] + "' is not a house letter A to P with a unit 1 to 16, 'lights' or 'all'");
    if (on && address->unit == CP290AllModulesUnit)
        return usage("all modules can only be switched off");
    if (!on && address->unit == CP290AllLightsUnit)
        return usage("all lights can only be switched on");
    int level = 9;
    if (request.arguments.size() == 2) {
        const auto given = wholeNumber(request.arguments[1], 1, 9);
        if (!given)
            return usage("the level must be 1 to 9");
        level = *given;
    }
    const uint8_t function = on ? CP290LevelBytes[level] : CP290FunctionOff;
    *action = [address = *address, function] {
        return CP290DoOnOffDim(address.houseIndex, address.unit, function) ? Done : Failed;
    };
    return Done;
}

int showClock()
{
    if (!CP290DoGetClock())
        return reportFailure("Getting Clock Failed");
    const int hour12 = gHour % 12 == 0 ? 12 : gHour % 12;
    std::printf("The CP290 reports the clock as %d:%02d %s.\n", hour12, gMinute, gHour < 12 ? "AM" : "PM");
    return Done;
}

int setClock()
{
    gProgressBudget = StatusProgressFullScale;
    if (!CP290DoSetClock())
        return reportFailure("Setting Clock Failed");
    std::printf("The CP290 clock was set.\n");
    return Done;
}

int prepareBaseHouse(const CliRequest &request, Action *action)
{
    if (request.arguments.size() != 1 || request.arguments[0].size() != 1)
        return usage("'base-house' takes one house letter A to P");
    const auto house = houseIndexOf(request.arguments[0][0]);
    if (!house)
        return usage("the house letter must be A to P");
    *action = [house = *house] {
        gProgressBudget = StatusProgressFullScale;
        if (!CP290DoSetBaseHouseCode(house))
            return reportFailure("Setting Base House Code Failed");
        std::printf("The Base House Code was set sucessfully.  Your events have been erased.\n");
        return Done;
    };
    return Done;
}

int selfTest()
{
    gProgressBudget = StatusProgressFullScale;
    if (!CP290DoSelfTest())
        return reportFailure("Self Test Failed");
    std::printf("The self test completed sucessfully.  Your events have been erased.\n");
    return Done;
}

int listEvents()
{
    DateTimeRec now;
    SecondsToDate(GetDateTime(), &now);
    gProgressBudget = StatusProgressFullScale;
    if (!CP290DoGetEvents())
        return reportFailure("Getting Events From CP290 Failed");
    std::printf("%s\n", storedEventListingText(CP290TimerEvent, now).c_str());
    return Done;
}

int prepare(const CliRequest &request, Action *action)
{
    if (request.command == "on" || request.command == "off")
        return prepareSwitch(request, action);
    if (request.command == "base-house")
        return prepareBaseHouse(request, action);
    static const struct { const char *command; int (*run)(); } plainCommands[] = {
        {"clock", showClock}, {"set-clock", setClock}, {"self-test", selfTest}, {"list", listEvents}};
    for (const auto &plain : plainCommands) {
        if (request.command != plain.command)
            continue;
        if (!request.arguments.empty())
            return usage("'" + request.command + "' takes no arguments");
        *action = plain.run;
        return Done;
    }
    return usage("unknown command '" + request.command + "'");
}

}  // namespace

std::optional<ModuleAddress> parseModuleAddress(const std::string &text)
{
    if (text.size() < 2)
        return std::nullopt;
    const auto house = houseIndexOf(text[0]);
    if (!house)
        return std::nullopt;
    const std::string unit = lowered(text.substr(1));
    if (unit == "lights")
        return ModuleAddress {*house, CP290AllLightsUnit};
    if (unit == "all")
        return ModuleAddress {*house, CP290AllModulesUnit};
    const auto number = wholeNumber(unit, 1, 16);
    if (!number)
        return std::nullopt;
    return ModuleAddress {*house, *number};
}

int runCli(const std::vector<std::string> &arguments)
{
    CliRequest request;
    std::size_t i = 0;
    while (i < arguments.size() && arguments[i].rfind("--", 0) == 0) {
        if (arguments[i] == "--device" && i + 1 < arguments.size()) {
            request.device = arguments[i + 1];
            i += 2;
        } else if (arguments[i] == "--help") {
            std::fputs(Usage, stdout);
            return Done;
        } else {
            return usage("unknown option '" + arguments[i] + "'");
        }
    }
    if (i == arguments.size())
        return usage();
    request.command = arguments[i];
    request.arguments.assign(arguments.begin() + i + 1, arguments.end());

    Action action;
    if (const int status = prepare(request, &action); status != Done)
        return status;

    if (request.device.empty()) {
        const auto remembered = rememberedSerialDevicePath();
        if (!remembered) {
            requestAlert("No Serial Device",
                         "No serial device has been found.  Please make sure you have selected a serial device "
                         "under the CP290 menu and recheck your connections.");
            return Failed;
        }
        request.device = *remembered;
    }
    setCP290DeviceFilePath(request.device.c_str());
    return action();
}
