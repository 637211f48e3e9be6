#pragma once

#include "platform/SerialDevices.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// A /dev and a /sys/class/tty in a scratch folder, as a machine with two USB adapters, a modem,
// two UART slots (one without a chip), consoles and pseudo-terminals might have them.
struct FakeMachine {
    std::filesystem::path root = makeRoot();
    std::filesystem::path dev = root / "dev";
    std::filesystem::path sys = root / "sys";

    FakeMachine()
    {
        for (const char *name : {"ttyUSB0", "ttyUSB1", "ttyACM0", "ttyS0", "ttyS1", "tty0", "tty1", "ttyp0", "ptmx", "cuaU0"})
            touch(dev / name);
        for (const char *name : {"ttyUSB0", "ttyUSB1", "ttyACM0", "ttyS0", "ttyS1"})
            std::filesystem::create_directories(sys / name / "device");
        std::ofstream(sys / "ttyS0" / "type") << "4\n";
        std::ofstream(sys / "ttyS1" / "type") << "0\n";
        std::filesystem::create_directories(sys / "tty0");
    }
    ~FakeMachine() { std::filesystem::remove_all(root); }
    FakeMachine(const FakeMachine &) = delete;
    FakeMachine &operator=(const FakeMachine &) = delete;

    SerialDeviceFolders folders() const { return {dev.string(), sys.string(), std::nullopt}; }

    // Makes `tty` a USB adapter as udev and sysfs show one: a link in serial/by-id, and the
    // tty's device under a USB device that carries the given attributes (empty ones left out).
    void plugAdapter(const std::string &tty, const std::string &byIdName, const std::string &manufacturer,
                     const std::string &product, const std::string &serial) const
    {
        const auto usb = root / "devices" / ("usb-" + tty);
        std::filesystem::create_directories(usb / "1-1:1.0" / tty);
        std::ofstream(usb / "idVendor") << "0403\n";
        std::ofstream(usb / "idProduct") << "6001\n";
        for (const auto &[name, value] : {std::pair {"manufacturer", manufacturer}, {"product", product}, {"serial", serial}})
            if (!value.empty())
                std::ofstream(usb / name) << value << "\n";
        std::filesystem::remove_all(sys / tty / "device");
        std::filesystem::create_directory_symlink(usb / "1-1:1.0" / tty, sys / tty / "device");
        std::filesystem::create_directories(dev / "serial" / "by-id");
        std::filesystem::create_symlink("../../" + tty, dev / "serial" / "by-id" / byIdName);
    }

    static void touch(const std::filesystem::path &path)
    {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << "";
    }

private:
    static std::filesystem::path makeRoot()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tavorin-machine-XXXXXX").string();
        return mkdtemp(pattern.data());
    }
};
