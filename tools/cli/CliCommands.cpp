#include "CliCommands.h"

#include "CliSupport.h"
#include "DeviceCommands.h"
#include "DevicesCommand.h"
#include "DocumentCommands.h"
#include "driver/DeviceCommandTexts.h"
#include "driver/SerialLink.h"
#include "platform/Alerts.h"
#include "platform/UserDefaultsFile.h"

#include <cerrno>
#include <cstdio>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool speaksJson(const std::string &command)
{
    for (const char *each : {"list", "plan", "sun", "clock", "devices", "schedule"})
        if (command == each)
            return true;
    return false;
}

// A port the user may not open: say whose group it is, once, after the alerts.
void explainPermission(const std::string &device)
{
    if (access(device.c_str(), R_OK | W_OK) == 0 || (errno != EACCES && errno != EPERM))
        return;
    struct stat status {};
    const group *owner = stat(device.c_str(), &status) == 0 ? getgrgid(status.st_gid) : nullptr;
    const std::string name = owner ? owner->gr_name : "dialout";
    std::fprintf(stderr, "tavorin-cli: you may not use %s; add yourself to the group that owns it (sudo usermod -a -G %s "
                         "$USER), then log out and in again.\n", device.c_str(), name.c_str());
}

}  // namespace

int runCli(const std::vector<std::string> &given)
{
    // Options common to every command may stand anywhere: the device (also as --device=PATH),
    // help and version.
    std::string device;
    bool help = false, json = false;
    std::vector<std::string> arguments, operands;
    for (std::size_t i = 0; i < given.size(); ++i) {
        const std::string &argument = given[i];
        if (argument == "--") {
            operands.assign(given.begin() + static_cast<long>(i) + 1, given.end());
            break;
        }
        if (argument == "-h" || argument == "--help") {
            help = true;
        } else if (argument == "--version") {
            std::printf("tavorin-cli %s\n", TAVORIN_VERSION);
            return Done;
        } else if (argument == "--json") {
            json = true;
        } else if (argument.rfind("--device=", 0) == 0) {
            device = argument.substr(9);
        } else if (argument == "--device") {
            if (i + 1 == given.size())
                return usage("--device needs a path");
            device = given[++i];
        } else {
            arguments.push_back(argument);
        }
    }
    if (help) {
        printUsage(stdout, arguments.empty() ? std::string() : arguments[0]);
        return Done;
    }
    if (arguments.empty() && !operands.empty()) {
        arguments.push_back(operands.front());  // the command itself after "--"
        operands.erase(operands.begin());
    }
    if (arguments.empty())
        return usage();
    if (arguments[0].rfind("-", 0) == 0)
        return usage("unknown option '" + arguments[0] + "'");
    const CommandLine line {arguments[0], std::vector<std::string>(arguments.begin() + 1, arguments.end()), operands, json};
    if (json && !speaksJson(line.command))
        return usage("'" + line.command + "' has no --json");

    Action action;
    bool needsDevice = true;
    if (line.command == "devices") {
        if (!line.all().empty())
            return usage("'devices' takes no arguments");
        return listSerialDevices(json);
    }
    if (isDeviceCommand(line.command)) {
        // Device commands take no options: their operands after "--" are arguments like the rest.
        if (const int status = prepareDeviceCommand({line.command, line.all(), {}, json}, &action); status != Done)
            return status;
    } else if (isDocumentCommand(line.command)) {
        if (const int status = prepareDocumentCommand(line, &action); status != Done)
            return status;
        needsDevice = documentCommandNeedsDevice(line.command);
    } else {
        return usage("unknown command '" + line.command + "'");
    }

    if (needsDevice) {
        if (device.empty()) {
            const auto remembered = rememberedSerialDevicePath();
            if (!remembered) {
                requestAlert(NoSerialDeviceTitle, NoSerialDeviceMessage);
                return CommandFailed;
            }
            device = *remembered;
        }
        setCP290DeviceFilePath(device.c_str());
    }
    const int status = action();
    if (status == CommandFailed && needsDevice)
        explainPermission(device);
    return status;
}
