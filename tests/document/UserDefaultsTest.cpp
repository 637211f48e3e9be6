#include "document/DownloadedModules.h"
#include "platform/Base64.h"
#include "platform/UserDefaultsFile.h"
#include "tests/support/Events.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

TEST(UserDefaults, SettingKeysKeepsEveryOtherLineAndSection)
{
    const std::string before =
        "[General]\nSerialDevice=USB0\nModules=\"old\"\n\n[CP290Outline]\nModules=untouched\n";
    const std::string after = settingsTextWithDefaults(before, {{"Modules", "new"}, {"Last Modules File", "/a \"b\""}});
    EXPECT_EQ(after,
              "[General]\nLast%20Modules%20File=\"/a \\\"b\\\"\"\nSerialDevice=USB0\nModules=\"new\"\n\n"
              "[CP290Outline]\nModules=untouched\n");
    EXPECT_EQ(readDefaultFromSettingsText(after, "Last Modules File"), "/a \"b\"");
    EXPECT_EQ(settingsTextWithDefaults("", {{"EventRepeat", "AQE="}}), "[General]\nEventRepeat=\"AQE=\"\n\n");
}

TEST(UserDefaults, DownloadedModulesComeBackAsTheyWereKept)
{
    const auto home = std::filesystem::temp_directory_path() / ("tavorin-kept-" + std::to_string(getpid()));
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    EXPECT_FALSE(recallDownloadedModules());

    std::vector<Module> modules = {module(2, 5, {clockEvent(EventOn | EventAllDays, 7, 0, 4)}), module(0, 18, {})};
    modules[0].name = "Kitchen";
    ASSERT_TRUE(rememberDownloadedModules(modules, {3, 1}));
    const auto recalled = recallDownloadedModules();
    ASSERT_TRUE(recalled);
    EXPECT_EQ(recalled->modules, modules);
    EXPECT_EQ(recalled->eventRepeat, (ClassicEventRepeat {3, 1}));

    unsetenv("XDG_CONFIG_HOME");
    std::filesystem::remove_all(home);
}

TEST(Base64, EncodesAndDecodesEveryByte)
{
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    for (std::size_t length : {0u, 1u, 2u, 3u, 4u, 256u}) {
        const std::string bytes = all.substr(0, length);
        EXPECT_EQ(base64Decoded(base64Encoded(bytes)), bytes) << length;
    }
    EXPECT_EQ(base64Encoded("\x01\x01"), "AQE=");
    EXPECT_FALSE(base64Decoded("AQ*="));
}
