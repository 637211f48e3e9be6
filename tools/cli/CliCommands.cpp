#include "CliCommands.h"

#include "CliSupport.h"
#include "CliVerbs.h"
#include "CommandLineReader.h"
#include "DeviceCommands.h"
#include "DevicesCommand.h"
#include "DocumentCommands.h"
#include "driver/DeviceCommandTexts.h"
#include "driver/SerialLink.h"
#include "platform/Alerts.h"
#include "platform/UserDefaultsFile.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <cstdio>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The group that may write to the port, when the user could join it; never root's.
std::optional<std::string> writingGroup(const struct stat &port)
{
    if (!(port.st_mode & S_IWGRP) || port.st_gid == 0)
        return std::nullopt;
    const group *owner = getgrgid(port.st_gid);
    return owner ? std::optional<std::string>(owner->gr_name) : std::nullopt;
}

// After the alerts, one line with what the system said when the port would not open, and for a
// port the user may not write the group to join, when joining one would help.
void explainDeviceFailure(const std::string &device)
{
    if (CP290OpenError == 0)
        return;
    std::fprintf(stderr, "tavorin-cli: %s: %s\n", device.c_str(), std::strerror(CP290OpenError));
    if (CP290OpenError != EACCES && CP290OpenError != EPERM)
        return;
    struct stat port {};
    if (stat(device.c_str(), &port) != 0)
        return;
    if (const auto joinable = writingGroup(port))
        std::fprintf(stderr, "tavorin-cli: the group %s may use it: join it (sudo usermod -a -G %s $USER), then log out and in "
                             "again.\n", joinable->c_str(), joinable->c_str());
    else
        std::fprintf(stderr, "tavorin-cli: no group you could join may write to it; ask the administrator to give it to the "
                             "group dialout.\n");
}

}  // namespace

int runCli(const std::vector<std::string> &given)
{
    ReadArguments read = readArguments(given);
    if (!read.problem.empty())
        return usage(read.problem);
    if (read.version) {
        std::printf("tavorin-cli %s\n", TAVORIN_VERSION);
        return Done;
    }
    if (read.help) {
        printUsage(stdout, read.line.command);
        return Done;
    }
    if (read.line.command.empty())
        return usage();
    std::string device = read.device;
    CommandLine line = std::move(read.line);
    line.json = line.has("--json");

    Action action;
    bool needsDevice = true;
    if (line.command == "devices") {
        if (!line.operands.empty())
            return usage("'devices' takes no arguments");
        return listSerialDevices(line.json);
    }
    if (isDeviceCommand(line.command)) {
        if (const int status = prepareDeviceCommand(line, &action); status != Done)
            return status;
    } else {
        if (const int status = prepareDocumentCommand(line, &action); status != Done)
            return status;
        needsDevice = documentCommandNeedsDevice(line.command);
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
        explainDeviceFailure(device);
    return status;
}
