#include "platform/Base64.h"
#include "platform/UserDefaultsFile.h"

#include <gtest/gtest.h>

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
