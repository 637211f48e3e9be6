#include "platform/UserDefaultsFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(UserDefaultsFile, ReadsGeneralKeysAsTheSettingsFileWritesThem)
{
    const std::string settings =
        "[CP290Outline]\nSerialDevice=wrong\n"
        "[General]\n"
        "SerialDevice=USB0\n"
        "Last%20Modules%20File=/home/ann/My House.cp290\n"
        "Extra%20Serial%20Device%20Folder=\"/run/user/1000/tavorin\"\n"
        "; a comment\n";
    EXPECT_EQ(readDefaultFromSettingsText(settings, "SerialDevice"), "USB0");
    EXPECT_EQ(readDefaultFromSettingsText(settings, "Last Modules File"), "/home/ann/My House.cp290");
    EXPECT_EQ(readDefaultFromSettingsText(settings, "Extra Serial Device Folder"), "/run/user/1000/tavorin");
    EXPECT_EQ(readDefaultFromSettingsText(settings, "No Helper"), std::nullopt);
    EXPECT_EQ(readDefaultFromSettingsText("SerialDevice=S0\n", "SerialDevice"), std::nullopt);
}

TEST(UserDefaultsFile, RememberedDeviceIsFoundInTheExtraFolderBeforeDev)
{
    const auto home = std::filesystem::temp_directory_path() / ("tavorin-defaults-" + std::to_string(getpid()));
    const auto extra = home / "devices";
    std::filesystem::create_directories(home / "Tavorin");
    std::filesystem::create_directories(extra);
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);

    EXPECT_EQ(rememberedSerialDevicePath(), std::nullopt);

    std::ofstream(home / "Tavorin" / "Tavorin.conf")
        << "[General]\nSerialDevice=CP290\nExtra%20Serial%20Device%20Folder=" << extra.string() << "\n";
    EXPECT_EQ(rememberedSerialDevicePath(), std::nullopt) << "a title no scanned device has names none";
    std::ofstream(extra / "ttyCP290") << "";
    EXPECT_EQ(rememberedSerialDevicePath(), (extra / "ttyCP290").string());

    // Remembering a device by its path gives that path back.
    std::ofstream(extra / "ttyOther") << "";
    ASSERT_TRUE(rememberSerialDevicePath((extra / "ttyOther").string()));
    EXPECT_EQ(rememberedSerialDevicePath(), (extra / "ttyOther").string());
    ASSERT_TRUE(rememberSerialDevicePath("/dev/ttyUSB0"));
    EXPECT_EQ(readApplicationDefault("SerialDevice"), "USB0");
    EXPECT_FALSE(rememberSerialDevicePath("/dev/pts/3")) << "no tty name to choose it by";

    unsetenv("XDG_CONFIG_HOME");
    std::filesystem::remove_all(home);
}

// A settings file that comes to hold a secret is readable by its owner only from then on, the
// values already in it kept, and stays so when written again the ordinary way.
TEST(UserDefaultsFile, PrivateValuesMakeTheFileTheOwnersAlone)
{
    const auto home = std::filesystem::temp_directory_path() / ("tavorin-private-" + std::to_string(getpid()));
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    const mode_t mask = umask(022);
    ASSERT_TRUE(writeApplicationDefaults({{"Process ID", "42"}}, HelperDomain));
    const auto mode = [&] { return std::filesystem::status(home / "Tavorin" / "Tavorin Helper.conf").permissions(); };
    using std::filesystem::perms;
    EXPECT_NE(mode() & perms::others_read, perms::none) << "an ordinary settings file, as the mask gives";
    ASSERT_TRUE(writePrivateDefaults({{"MQTT Password", "secret"}}, HelperDomain));
    EXPECT_EQ(mode() & perms::all, perms::owner_read | perms::owner_write);
    EXPECT_EQ(readApplicationDefault("Process ID", HelperDomain), "42");
    ASSERT_TRUE(writeApplicationDefaults({{"Process ID", "43"}}, HelperDomain));
    EXPECT_EQ(mode() & perms::all, perms::owner_read | perms::owner_write);
    EXPECT_EQ(readApplicationDefault("MQTT Password", HelperDomain), "secret");
    umask(mask);
    unsetenv("XDG_CONFIG_HOME");
    std::filesystem::remove_all(home);
}
