#pragma once

#include "platform/Location.h"
#include "platform/UserDefaultsFile.h"
#include "tools/emulator/CP290Emulator.h"

#include <filesystem>
#include <memory>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

// A home of its own for a test of the helper's programs: settings and data folders under a fresh
// temporary folder named after the test, the place the sun is computed for, and a folder of
// devices remembered as the CP290's, where an emulated CP290 is linked as "ttyCP290". All of it
// goes with the object.
class TestHome {
public:
    explicit TestHome(const std::string &kind)
        : path(std::filesystem::temp_directory_path() /
               ("tavorin-" + kind + "-" + std::to_string(getpid()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path / "devices");
        setenv("XDG_CONFIG_HOME", (path / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (path / "data").c_str(), 1);
        setLocationOverride(Location {41, -74, -18000});
        writeApplicationDefaults({{"SerialDevice", "CP290"}, {"Extra Serial Device Folder", (path / "devices").string()}});
    }
    ~TestHome()
    {
        setLocationOverride(std::nullopt);
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("XDG_DATA_HOME");
        std::filesystem::remove_all(path);
    }
    TestHome(const TestHome &) = delete;
    TestHome &operator=(const TestHome &) = delete;

    std::string devicePath() const { return (path / "devices" / "ttyCP290").string(); }

    // An emulated CP290 linked as the remembered device, answering at the tests' quick pace unless
    // `options` say otherwise; none, and the test failed, when it cannot start.
    std::unique_ptr<CP290Emulator> startEmulator(EmulatorOptions options = {.tickScale = 0.05}) const
    {
        options.linkPath = devicePath();
        auto box = std::make_unique<CP290Emulator>(options);
        std::string error;
        if (box->start(&error))
            return box;
        ADD_FAILURE() << "the emulated CP290 did not start: " << error;
        return nullptr;
    }

    const std::filesystem::path path;
};
