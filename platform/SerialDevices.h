#pragma once

#include <optional>
#include <string>
#include <vector>

// The serial devices a CP290 can hang on. A device is known by its title, the name after "tty"
// ("USB0", "ACM0", "S0"); its path is "/dev/tty" + title, or the extra folder's "tty" + title.

struct SerialDevice {
    std::string title;
    std::string path;
};

struct SerialDeviceFolders {
    std::string dev = "/dev";
    std::string sysClassTty = "/sys/class/tty";
    std::optional<std::string> extra;  // the user default "Extra Serial Device Folder"
};

// The real serial ports of `dev` (those the tty class gives hardware: USB and ACM adapters, UARTs
// whose port type is known; never virtual consoles or pseudo-terminals) in name order, then every
// "tty" entry of the extra folder.
std::vector<SerialDevice> scanSerialDevices(const SerialDeviceFolders &folders);

// Whether the tty class describes `name` (such as "ttyUSB0") as a port with hardware behind it.
bool isHardwareSerialPort(const std::string &sysClassTty, const std::string &name);
