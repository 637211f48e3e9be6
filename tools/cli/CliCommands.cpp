#include "CliCommands.h"

#include "CliSupport.h"
#include "DeviceCommands.h"
#include "DocumentCommands.h"
#include "driver/DeviceCommandTexts.h"
#include "driver/SerialLink.h"
#include "platform/Alerts.h"
#include "platform/UserDefaultsFile.h"

#include <cstdio>

int runCli(const std::vector<std::string> &arguments)
{
    std::string device;
    std::size_t i = 0;
    while (i < arguments.size() && arguments[i].rfind("--", 0) == 0) {
        if (arguments[i] == "--device" && i + 1 < arguments.size()) {
            device = arguments[i + 1];
            i += 2;
        } else if (arguments[i] == "--help") {
            printUsage(stdout);
            return Done;
        } else {
            return usage("unknown option '" + arguments[i] + "'");
        }
    }
    if (i == arguments.size())
        return usage();
    const CommandLine line {arguments[i], std::vector<std::string>(arguments.begin() + i + 1, arguments.end())};

    Action action;
    bool needsDevice = true;
    if (isDeviceCommand(line.command)) {
        if (const int status = prepareDeviceCommand(line, &action); status != Done)
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
                return Failed;
            }
            device = *remembered;
        }
        setCP290DeviceFilePath(device.c_str());
    }
    return action();
}
