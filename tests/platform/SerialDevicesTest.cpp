#include "platform/SerialDevices.h"
#include "tests/support/FakeMachine.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> field(const std::vector<SerialDevice> &devices, std::string SerialDevice::*member)
{
    std::vector<std::string> values;
    for (const SerialDevice &device : devices)
        values.push_back(device.*member);
    return values;
}

}  // namespace

TEST(SerialDeviceScan, OnlyRealPortsAndTheExtraFolderAreListed)
{
    FakeMachine machine;
    SerialDeviceFolders folders = machine.folders();
    folders.extra = (machine.root / "extra").string();
    FakeMachine::touch(machine.root / "extra" / "ttyCP290");
    FakeMachine::touch(machine.root / "extra" / "notes.txt");
    const auto devices = scanSerialDevices(folders);
    EXPECT_EQ(field(devices, &SerialDevice::title), (std::vector<std::string> {"ACM0", "S0", "USB0", "USB1", "CP290"}));
    EXPECT_EQ(devices.front().path, machine.dev.string() + "/ttyACM0");
    EXPECT_EQ(devices.back().path, *folders.extra + "/ttyCP290");
    for (const SerialDevice &device : devices)
        EXPECT_FALSE(device.hasStableName()) << device.title;
}

TEST(SerialDeviceScan, AnAdapterWithAStableNameIsTitledByItsDescriptionAndOpenedByThatName)
{
    FakeMachine machine;
    machine.plugAdapter("ttyUSB1", "usb-FTDI_FT232R_USB_UART_A9XYZ-if00-port0", "FTDI", "FT232R USB UART", "A9XYZ");
    machine.plugAdapter("ttyUSB0", "usb-0403_6001-if00-port0", "", "", "");
    const auto devices = scanSerialDevices(machine.folders());
    const fs::path byId = machine.dev / "serial" / "by-id";
    EXPECT_EQ(field(devices, &SerialDevice::title),
              (std::vector<std::string> {"ACM0", "S0", "0403:6001", "FTDI FT232R USB UART A9XYZ"}));
    EXPECT_EQ(devices[3].path, (byId / "usb-FTDI_FT232R_USB_UART_A9XYZ-if00-port0").string());
    EXPECT_EQ(devices[3].devicePath, machine.dev.string() + "/ttyUSB1");
    EXPECT_EQ(devices[2].adapter, "0403:6001");

    // Found by any of its names; a replug that moves it to another tty keeps its title and path.
    EXPECT_EQ(serialDeviceAt(devices, machine.dev.string() + "/ttyUSB1")->title, "FTDI FT232R USB UART A9XYZ");
    EXPECT_EQ(serialDeviceAt(devices, devices[3].path)->devicePath, machine.dev.string() + "/ttyUSB1");
    EXPECT_FALSE(serialDeviceAt(devices, machine.dev.string() + "/ttyS1"));
    fs::remove(byId / "usb-FTDI_FT232R_USB_UART_A9XYZ-if00-port0");
    machine.plugAdapter("ttyACM0", "usb-FTDI_FT232R_USB_UART_A9XYZ-if00-port0", "FTDI", "FT232R USB UART", "A9XYZ");
    const auto replugged = scanSerialDevices(machine.folders());
    EXPECT_EQ(replugged[0].title, "FTDI FT232R USB UART A9XYZ");
    EXPECT_EQ(replugged[0].path, devices[3].path);

    // Two adapters alike to the last detail: the second is told apart by its stable name.
    fs::remove(byId / "usb-0403_6001-if00-port0");
    machine.plugAdapter("ttyUSB0", "usb-FTDI_FT232R_USB_UART_A9XYZ-if01-port0", "FTDI", "FT232R USB UART", "A9XYZ");
    const auto twins = field(scanSerialDevices(machine.folders()), &SerialDevice::title);
    EXPECT_EQ(std::count(twins.begin(), twins.end(), "FTDI FT232R USB UART A9XYZ"), 1);
    EXPECT_EQ(std::count(twins.begin(), twins.end(), "usb-FTDI_FT232R_USB_UART_A9XYZ-if01-port0"), 1);
}
