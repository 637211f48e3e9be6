#pragma once

#include "platform/Location.h"
#include "platform/UserDefaultsFile.h"

#include <filesystem>
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

    const std::filesystem::path path;
};
