#pragma once

#include <optional>
#include <string>
#include <vector>

// The serial devices a CP290 can hang on. A USB adapter that udev gave a stable name
// ("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A9XYZ-if00-port0") is known by that name and titled
// by the adapter's description, so that it is found again after a replug moved it from ttyUSB0 to
// ttyUSB1. Any other port is known by its title, the name after "tty" ("USB0", "ACM0", "S0"), and
// its path is "/dev/tty" + title, or the extra folder's "tty" + title.

struct SerialDevice {
    std::string title;       // what the CP290 menu shows and "SerialDevice" remembers
    std::string path;        // what the driver opens: the stable name where there is one
    std::string devicePath;  // the tty itself, "/dev/ttyUSB0"
    std::string adapter;     // the USB adapter's manufacturer, product and serial; empty for others

    bool hasStableName() const { return path != devicePath; }
};

struct SerialDeviceFolders {
    std::string dev = "/dev";  // its "serial/by-id" folder holds the stable names
    std::string sysClassTty = "/sys/class/tty";
    std::optional<std::string> extra;  // the user default "Extra Serial Device Folder"
};

// The real serial ports of `dev` (those the tty class gives hardware: USB and ACM adapters, UARTs
// whose port type is known; never virtual consoles or pseudo-terminals) in name order, then every
// "tty" entry of the extra folder.
std::vector<SerialDevice> scanSerialDevices(const SerialDeviceFolders &folders);

// Whether the tty class describes `name` (such as "ttyUSB0") as a port with hardware behind it.
bool isHardwareSerialPort(const std::string &sysClassTty, const std::string &name);

// The scanned device that `path` names, by any of its names (a link, the stable name, the tty).
std::optional<SerialDevice> serialDeviceAt(const std::vector<SerialDevice> &devices, const std::string &path);
