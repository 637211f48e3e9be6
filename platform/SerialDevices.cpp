#include "platform/SerialDevices.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> ttyNames(const std::string &folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.size() > 3 && name.compare(0, 3, "tty") == 0)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

bool isHardwareSerialPort(const std::string &sysClassTty, const std::string &name)
{
    const fs::path port = fs::path(sysClassTty) / name;
    std::error_code error;
    if (!fs::exists(port / "device", error))
        return false;  // virtual consoles, pseudo-terminals and the like have no device behind them
    // The serial core lists every UART slot it reserved; one whose port type is 0 has no chip.
    std::ifstream type(port / "type");
    int portType = -1;
    if (type >> portType)
        return portType != 0;
    return true;
}

std::vector<SerialDevice> scanSerialDevices(const SerialDeviceFolders &folders)
{
    std::vector<SerialDevice> devices;
    for (const std::string &name : ttyNames(folders.dev))
        if (isHardwareSerialPort(folders.sysClassTty, name))
            devices.push_back({name.substr(3), folders.dev + "/" + name});
    if (folders.extra && !folders.extra->empty())
        for (const std::string &name : ttyNames(*folders.extra))
            devices.push_back({name.substr(3), *folders.extra + "/" + name});
    return devices;
}
