#include "driver/CommandExchange.h"
#include "driver/DeviceOperations.h"
#include "driver/SerialLink.h"
#include "platform/DateTime.h"
#include "tests/support/Dates.h"
#include "tests/support/RecordingFrontEnd.h"
#include "tests/support/ScriptedLine.h"

#include <gtest/gtest.h>

namespace {

class DeviceOperations : public ::testing::Test {
protected:
    void TearDown() override { setDateTimeSource({}); }
    ScriptedLine line;
    RecordingFrontEnd frontEnd {line.path()};
};

}  // namespace

TEST_F(DeviceOperations, SwitchingNowSendsFunctionHouseAndUnitBitmaps)
{
    struct Case {
        int house, unit;
        uint8_t function;
        std::vector<uint8_t> payload;
        int checksum;
    } cases[] = {
        {0, 1, 0x02, {0x02, 0x60, 0x00, 0x80}, 0xE2},
        {15, 16, 0x03, {0x03, 0xC0, 0x01, 0x00}, 0xC4},
        {0, 9, 0x02, {0x02, 0x60, 0x80, 0x00}, 0xE2},
        {0, 8, 0x02, {0x02, 0x60, 0x00, 0x01}, 0x63},
        {1, 17, 0x85, {0x01, 0xE0, 0x00, 0x00}, 0xE1},  // all lights on, whatever the level
        {2, 18, 0x85, {0x00, 0x20, 0x00, 0x00}, 0x20},  // all modules off: only plain on is refused
        {2, 18, 0x03, {0x00, 0x20, 0x00, 0x00}, 0x20},
    };
    for (const Case &c : cases) {
        line.queueReply(acknowledgement(1));
        EXPECT_TRUE(CP290DoOnOffDim(c.house, c.unit, c.function));
        EXPECT_EQ(line.sentBytes(), expectedFrame(CP290DirectCommand, c.payload, c.checksum))
            << "house " << c.house << " unit " << c.unit;
    }

    // Every house code, and every level the brightness slider sends, as the protocol defines its byte.
    const uint8_t houseBytes[16] = {0x60, 0xE0, 0x20, 0xA0, 0x10, 0x90, 0x50, 0xD0, 0x70, 0xF0, 0x30, 0xB0, 0x00, 0x80, 0x40, 0xC0};
    const uint8_t levelBytes[9] = {0xE5, 0xC5, 0xA5, 0x85, 0x65, 0x45, 0x25, 0x05, 0x02};
    for (int house = 0; house < 16; ++house) {
        const uint8_t level = CP290LevelBytes[house % 9 + 1];
        line.queueReply(acknowledgement(1));
        EXPECT_TRUE(CP290DoOnOffDim(house, 1, level));
        const std::vector<uint8_t> sent = line.sentBytes();
        ASSERT_GE(sent.size(), 19u);
        EXPECT_EQ(sent[16 + 1 + 1], houseBytes[house]) << "house " << char('A' + house);
        EXPECT_EQ(sent[16 + 1], levelBytes[house % 9]) << "level " << house % 9 + 1;
    }
}

TEST_F(DeviceOperations, GroupUnitsRefuseWhatTheyCannotDoWithoutTouchingTheLink)
{
    EXPECT_FALSE(CP290DoOnOffDim(0, CP290AllLightsUnit, CP290FunctionOff));
    EXPECT_FALSE(CP290DoOnOffDim(0, CP290AllModulesUnit, CP290FunctionOn));
    EXPECT_FALSE(CP290DoOnOffDim(16, 1, CP290FunctionOn));
    EXPECT_FALSE(CP290DoOnOffDim(0, 19, CP290FunctionOn));
    EXPECT_TRUE(line.sentBytes().empty());
    EXPECT_TRUE(frontEnd.alerts.empty());
    EXPECT_EQ(CP290FileDescriptor, -1);
}

TEST_F(DeviceOperations, ClockIsSetToMinuteHourAndWeekdayBit)
{
    struct Case {
        uint32_t now;
        std::vector<uint8_t> payload;
    } cases[] = {
        {secondsAt(2026, 12, 6, 0, 0), {0x00, 0x00, 0x40}},    // Sunday
        {secondsAt(2026, 12, 12, 23, 59), {0x3B, 0x17, 0x20}},  // Saturday
        {secondsAt(2026, 12, 7, 8, 30), {0x1E, 0x08, 0x01}},    // Monday
    };
    for (const Case &c : cases) {
        setDateTimeSource([&c] { return c.now; });
        line.queueReply(acknowledgement(1));
        EXPECT_TRUE(CP290DoSetClock());
        const int checksum = (c.payload[0] + c.payload[1] + c.payload[2]) & 0xFF;
        EXPECT_EQ(line.sentBytes(), expectedFrame(CP290SetClock, c.payload, checksum));
    }
}

TEST_F(DeviceOperations, SelfTestReadsTestsRestoresTheBaseHouseCodeAndSetsTheClock)
{
    setDateTimeSource([] { return secondsAt(2026, 12, 7, 8, 30); });
    line.queueReply(acknowledgement(1, {10, 8, 0x01, 0xE0}));
    line.queueReply(acknowledgement(0));
    line.queueReply(acknowledgement(1));
    line.queueReply(acknowledgement(1));
    ASSERT_TRUE(CP290DoSelfTest());

    std::vector<uint8_t> expected = expectedFrame(CP290ReportClock, {});
    for (const auto &frame : {expectedFrame(CP290RunSelfTest, {}), expectedFrame(CP290SetBaseHouseCode, {0xE0}),
                              expectedFrame(CP290SetClock, {0x1E, 0x08, 0x01}, 0x27)})
        expected.insert(expected.end(), frame.begin(), frame.end());
    EXPECT_EQ(line.sentBytes(), expected);
    EXPECT_DOUBLE_EQ(frontEnd.progressTotal(), 130);
}

TEST_F(DeviceOperations, SelfTestWhoseClockReadFailsSendsNoTest)
{
    EXPECT_FALSE(CP290DoSelfTest());
    EXPECT_EQ(line.sentBytes().size(), 3 * expectedFrame(CP290ReportClock, {}).size()) << "three tries at the clock alone";
}
