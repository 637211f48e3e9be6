#include "platform/SerialDevices.h"

#include "platform/FileContents.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

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

// Each tty name ("ttyUSB0") with the udev link in serial/by-id that points at it.
std::map<std::string, std::string> stableNames(const std::string &dev)
{
    std::map<std::string, std::string> names;
    const fs::path byId = fs::path(dev) / "serial" / "by-id";
    std::vector<std::string> links;
    std::error_code error;
    for (fs::directory_iterator entry(byId, error), end; !error && entry != end; entry.increment(error))
        links.push_back(entry->path().string());
    std::sort(links.begin(), links.end());
    for (const std::string &link : links) {
        const fs::path target = fs::canonical(link, error);
        if (!error)
            names.emplace(target.filename().string(), link);
    }
    return names;
}

std::string attribute(const fs::path &folder, const char *name)
{
    std::string value = readFileContents((folder / name).string()).value_or(std::string());
    while (!value.empty() && (value.back() == '\n' || value.back() == ' '))
        value.pop_back();
    return value;
}

// The USB device above the tty in sysfs: "manufacturer product serial", or the vendor and product
// numbers when it names neither.
std::string adapterDescription(const std::string &sysClassTty, const std::string &name)
{
    std::error_code error;
    fs::path folder = fs::canonical(fs::path(sysClassTty) / name / "device", error);
    for (; !error && folder.has_relative_path(); folder = folder.parent_path()) {
        if (!fs::exists(folder / "idVendor", error))
            continue;
        std::string text;
        for (const char *part : {"manufacturer", "product", "serial"})
            if (const std::string value = attribute(folder, part); !value.empty())
                text += (text.empty() ? "" : " ") + value;
        if (attribute(folder, "manufacturer").empty() && attribute(folder, "product").empty())
            text = attribute(folder, "idVendor") + ":" + attribute(folder, "idProduct") + (text.empty() ? "" : " " + text);
        return text;
    }
    return {};
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
    std::set<std::string> titles;
    const std::map<std::string, std::string> stable = stableNames(folders.dev);
    for (const std::string &name : ttyNames(folders.dev)) {
        if (!isHardwareSerialPort(folders.sysClassTty, name))
            continue;
        SerialDevice device {name.substr(3), folders.dev + "/" + name, folders.dev + "/" + name,
                             adapterDescription(folders.sysClassTty, name)};
        if (const auto link = stable.find(name); link != stable.end()) {
            device.path = link->second;
            // Two adapters alike to the last detail are told apart by their stable names.
            device.title = device.adapter.empty() || titles.count(device.adapter)
                ? fs::path(link->second).filename().string() : device.adapter;
        }
        titles.insert(device.title);
        devices.push_back(device);
    }
    if (folders.extra && !folders.extra->empty())
        for (const std::string &name : ttyNames(*folders.extra))
            devices.push_back({name.substr(3), *folders.extra + "/" + name, *folders.extra + "/" + name, {}});
    return devices;
}

std::optional<SerialDevice> serialDeviceAt(const std::vector<SerialDevice> &devices, const std::string &path)
{
    std::error_code error;
    for (const SerialDevice &device : devices)
        if (device.path == path || device.devicePath == path || fs::equivalent(device.devicePath, path, error))
            return device;
    return std::nullopt;
}
