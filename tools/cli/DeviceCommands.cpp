#include "DeviceCommands.h"

#include "driver/CommandExchange.h"
#include "driver/DeviceCommandTexts.h"
#include "driver/DeviceOperations.h"
#include "driver/StoredEventListing.h"
#include "JsonOutput.h"
#include "platform/JsonText.h"
#include "platform/Alerts.h"
#include "platform/DateTime.h"
#include "platform/StatusHooks.h"

#include <cctype>
#include <cstdio>

namespace {

std::string lowered(std::string text)
{
    for (char &c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

int reportFailure(const std::string &title)
{
    requestAlert(title, "");
    return CommandFailed;
}

int prepareSwitch(const CommandLine &line, Action *action)
{
    const bool on = line.command == "on";
    const std::size_t allowed = on ? 2 : 1;
    if (line.operands.empty() || line.operands.size() > allowed)
        return usage("'" + line.command + "' takes " + (on ? "an address and an optional level" : "an address"));
    const auto address = parseModuleAddress(line.operands[0]);
    if (!address)
        return usage("'" + line.operands[0] + "' is not a house letter A to P with a unit 1 to 16, 'lights' or 'all'");
    if (on && address->unit == CP290AllModulesUnit)
        return usage("all modules can only be switched off");
    if (!on && address->unit == CP290AllLightsUnit)
        return usage("all lights can only be switched on");
    int level = 9;
    if (line.operands.size() == 2) {
        const auto given = wholeNumber(line.operands[1], 1, 9);
        if (!given)
            return usage("the level must be 1 to 9");
        level = *given;
    }
    const uint8_t function = on ? CP290LevelBytes[level] : CP290FunctionOff;
    *action = [address = *address, function] {
        return CP290DoOnOffDim(address.houseIndex, address.unit, function) ? Done : CommandFailed;
    };
    return Done;
}

int prepareBaseHouse(const CommandLine &line, Action *action)
{
    if (line.operands.size() != 1 || line.operands[0].size() != 1)
        return usage("'base-house' takes one house letter A to P");
    const auto house = houseIndexOf(line.operands[0][0]);
    if (!house)
        return usage("the house letter must be A to P");
    *action = [house = *house] {
        gProgressBudget = StatusProgressFullScale;
        if (!CP290DoSetBaseHouseCode(house))
            return reportFailure(BaseHouseCodeFailedTitle);
        std::printf("%s\n", BaseHouseCodeSetMessage);
        return Done;
    };
    return Done;
}

int showClock(bool json)
{
    if (!CP290DoGetClock())
        return reportFailure(GettingClockFailedTitle);
    if (json)
        printJson(jsonObject({{"hour", jsonNumber(gHour)}, {"minute", jsonNumber(gMinute)}}));
    else
        std::printf("%s\n", clockReportText(gHour, gMinute).c_str());
    return Done;
}

// A command given the whole progress budget, as the menu's commands are: its success message on
// standard output, or its failure alert.
int withFullBudget(bool (*driverCall)(), const char *failure, const char *success)
{
    gProgressBudget = StatusProgressFullScale;
    if (!driverCall())
        return reportFailure(failure);
    std::printf("%s\n", success);
    return Done;
}

int setClock(bool)
{
    return withFullBudget(CP290DoSetClock, SettingClockFailedTitle, "The CP290 clock was set.");
}

int selfTest(bool)
{
    return withFullBudget(CP290DoSelfTest, SelfTestFailedTitle, SelfTestOKMessage);
}

// The stored records in the listing's order, with the moment they were read.
void printEventsJson(const DateTimeRec &now)
{
    std::vector<std::string> records;
    for (const int number : storedRecordOrder(CP290TimerEvent))
        records.push_back(timerRecordJson(number, CP290TimerEvent[number]));
    printJson(jsonObject({{"asOf", jsonString(formatIsoDateTime(now))}, {"records", jsonArray(records)}}));
}

int listEvents(bool json)
{
    DateTimeRec now;
    SecondsToDate(GetDateTime(), &now);
    gProgressBudget = StatusProgressFullScale;
    if (!CP290DoGetEvents())
        return reportFailure(GettingEventsFailedTitle);
    if (json) {
        printEventsJson(now);
        return Done;
    }
    const std::string listing = storedEventListingText(CP290TimerEvent, now);
    std::printf("%s%s", listing.c_str(), listing.back() == '\n' ? "" : "\n");
    return Done;
}

const struct {
    const char *command;
    int (*run)(bool json);
} PlainCommands[] = {{"clock", showClock}, {"set-clock", setClock}, {"self-test", selfTest}, {"list", listEvents}};

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
    if (unit.empty() || unit[0] == '-')
        return std::nullopt;
    const auto number = wholeNumber(unit, 1, 16);
    if (!number)
        return std::nullopt;
    return ModuleAddress {*house, *number};
}

bool isDeviceCommand(const std::string &command)
{
    if (command == "on" || command == "off" || command == "base-house")
        return true;
    for (const auto &plain : PlainCommands)
        if (command == plain.command)
            return true;
    return false;
}

int prepareDeviceCommand(const CommandLine &line, Action *action)
{
    if (line.command == "on" || line.command == "off")
        return prepareSwitch(line, action);
    if (line.command == "base-house")
        return prepareBaseHouse(line, action);
    for (const auto &plain : PlainCommands) {
        if (line.command != plain.command)
            continue;
        if (!line.operands.empty())
            return usage("'" + line.command + "' takes no arguments");
        *action = [run = plain.run, json = line.json] { return run(json); };
        return Done;
    }
    return usage("unknown command '" + line.command + "'");
}
