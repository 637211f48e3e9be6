#include "DevicesCommand.h"

#include "JsonOutput.h"
#include "platform/JsonText.h"
#include "platform/SerialDevices.h"
#include "platform/UserDefaultsFile.h"

#include <cstdio>
#include <unistd.h>

namespace {

struct PortReport {
    SerialDevice device;
    bool writable;
    bool remembered;
};

std::vector<PortReport> portReports()
{
    const std::vector<SerialDevice> devices = scanSerialDevices(userSerialDeviceFolders());
    const auto rememberedPath = rememberedSerialDevicePath();
    const auto remembered = rememberedPath ? serialDeviceAt(devices, *rememberedPath) : std::nullopt;
    std::vector<PortReport> reports;
    for (const SerialDevice &device : devices)
        reports.push_back({device, access(device.path.c_str(), W_OK) == 0, remembered && remembered->path == device.path});
    return reports;
}

std::string reportJson(const PortReport &report)
{
    const SerialDevice &device = report.device;
    return jsonObject({{"name", jsonString(device.title)},
                       {"path", jsonString(device.path)},
                       {"tty", jsonString(device.devicePath)},
                       {"stable", jsonBool(device.hasStableName())},
                       {"adapter", device.adapter.empty() ? JsonNull : jsonString(device.adapter)},
                       {"writable", jsonBool(report.writable)},
                       {"remembered", jsonBool(report.remembered)}});
}

// NAME, then the path the driver opens (with the tty behind a stable name), the adapter,
// whether the user may write to it, and whether it is the remembered one.
std::string reportLine(const PortReport &report)
{
    const SerialDevice &device = report.device;
    std::string line = device.title + "\t" + device.path;
    if (device.hasStableName())
        line += " -> " + device.devicePath;
    if (!device.adapter.empty() && device.adapter != device.title)
        line += "\t" + device.adapter;
    line += report.writable ? "\twritable" : "\tnot writable";
    if (report.remembered)
        line += "\tremembered";
    return line;
}

}  // namespace

int listSerialDevices(bool json)
{
    const std::vector<PortReport> reports = portReports();
    if (json) {
        std::vector<std::string> items;
        for (const PortReport &report : reports)
            items.push_back(reportJson(report));
        printJson(jsonObject({{"devices", jsonArray(items)}}));
        return Done;
    }
    if (reports.empty())
        std::printf("(No Serial Device Found)\n");
    for (const PortReport &report : reports)
        std::printf("%s\n", reportLine(report).c_str());
    return Done;
}
