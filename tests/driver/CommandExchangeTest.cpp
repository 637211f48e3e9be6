#include "driver/CommandExchange.h"
#include "driver/SerialLink.h"
#include "tests/support/RecordingFrontEnd.h"
#include "tests/support/ScriptedLine.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

std::string notRespondingMessage(const char *error)
{
    return std::string("There does not appear to be a CP290 connected to the specified serial device.  "
                       "The specific error was \"")
        + error + "\".  Please recheck your connections and then retry.";
}

class CommandExchange : public ::testing::Test {
protected:
    ScriptedLine line;
    RecordingFrontEnd frontEnd {line.path()};
};

}  // namespace

TEST_F(CommandExchange, FramesCarryPreambleCommandPayloadAndChecksum)
{
    struct Case {
        uint8_t command;
        std::vector<uint8_t> payload;
        int checksum;
    } cases[] = {
        {CP290SetClock, {30, 14, 0x04}, 0x30},
        {CP290SetBaseHouseCode, {0x60}, -1},  // one byte goes without checksum
        {CP290ReportClock, {}, -1},
        // The record's address is left out: these two differ only there and share the checksum.
        {CP290StoreTimerRecord, {0x00, 0x00, 0x08, 0x1F, 0x13, 0x05, 0x20, 0x00, 0x60, 0x02}, 0xC1},
        {CP290StoreTimerRecord, {0x08, 0x00, 0x08, 0x1F, 0x13, 0x05, 0x20, 0x00, 0x60, 0x02}, 0xC1},
    };
    for (const Case &c : cases) {
        line.queueReply(acknowledgement(1, c.command == CP290ReportClock ? std::vector<uint8_t> {0, 0, 0, 0}
                                                                          : std::vector<uint8_t> {}));
        EXPECT_TRUE(SendCP290Command(c.command, c.payload.data(), static_cast<int16_t>(c.payload.size())));
        EXPECT_EQ(line.sentBytes(), expectedFrame(c.command, c.payload, c.checksum)) << int(c.command);
    }
}

TEST_F(CommandExchange, AcknowledgementIsSixFFThenTheStatusWhateverCameBefore)
{
    struct Case {
        const char *what;
        std::vector<uint8_t> reply;
        bool accepted;
    } cases[] = {
        {"stray bytes first", {0x12, 0x00, 0xFF, 0x34, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}, true},
        {"five FF and a break start again", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}, true},
        {"seventh FF is the status", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}, false},
    };
    for (const Case &c : cases) {
        // Enough for all three attempts; what a successful call leaves unread is drained below.
        for (int attempt = 0; attempt < 3; ++attempt)
            line.queueReply(c.reply);
        EXPECT_EQ(SendCP290Command(CP290DirectCommand, std::vector<uint8_t>(4, 0).data(), 4), c.accepted) << c.what;
        line.discardUnreadReplies();
        line.sentBytes();
    }
}

TEST_F(CommandExchange, StatusAcceptedDependsOnTheCommand)
{
    struct Case {
        uint8_t command;
        int16_t length;  // the payload its callers give
        uint8_t status;
        bool accepted;
    } cases[] = {
        {CP290SetBaseHouseCode, 1, 0, true}, {CP290SetBaseHouseCode, 1, 1, true}, {CP290SetBaseHouseCode, 1, 2, false},
        {CP290DirectCommand, 4, 1, true},    {CP290DirectCommand, 4, 0, false},   {CP290SetClock, 3, 0, false},
        {CP290RunSelfTest, 0, 0, true},      {CP290RunSelfTest, 0, 1, false},     {CP290StoreTimerRecord, 10, 1, true},
    };
    const std::vector<uint8_t> payload(10, 0);
    for (const Case &c : cases) {
        for (int attempt = 0; attempt < 3; ++attempt)
            line.queueReply(acknowledgement(c.status));
        frontEnd.alerts.clear();
        EXPECT_EQ(SendCP290Command(c.command, payload.data(), c.length), c.accepted)
            << "command " << int(c.command) << " status " << int(c.status);
        const std::size_t frameLength = expectedFrame(c.command, std::vector<uint8_t>(c.length), c.length > 1 ? 0 : -1).size();
        EXPECT_EQ(line.sentBytes().size(), frameLength * (c.accepted ? 1 : 3)) << "attempts";
        EXPECT_EQ(frontEnd.alerts.empty(), c.accepted);
        line.discardUnreadReplies();
    }
}

TEST_F(CommandExchange, ThreeSilentOrRefusedAttemptsEndInTheAlertNamingTheError)
{
    EXPECT_FALSE(SendCP290Command(CP290DirectCommand, std::vector<uint8_t>(4, 0).data(), 4));
    EXPECT_EQ(line.sentBytes().size(), 3 * expectedFrame(CP290DirectCommand, {0, 0, 0, 0}, 0).size()) << "three attempts";
    for (int attempt = 0; attempt < 3; ++attempt)
        line.queueReply(acknowledgement(0));
    EXPECT_FALSE(SendCP290Command(CP290SetClock, std::vector<uint8_t> {1, 2, 4}.data(), 3));
    EXPECT_EQ(frontEnd.alertTitles(), (std::vector<std::string> {"CP290 Not Responding", "CP290 Not Responding"}));
    EXPECT_EQ(frontEnd.alerts[0].message, notRespondingMessage(std::strerror(EAGAIN)));
    EXPECT_EQ(frontEnd.alerts[1].message, notRespondingMessage(std::strerror(EPROTO)));
    EXPECT_EQ(frontEnd.statusEndsBeforeAlert[0], 1);
    EXPECT_EQ(CP290FileDescriptor, -1);
}

TEST_F(CommandExchange, DeviceThatCannotOpenGetsTwoAttemptsWithoutTheFirstShare)
{
    setCP290DeviceFilePath("/dev/ttyNoSuchCP290");
    gProgressBudget = 130;
    EXPECT_FALSE(SendCP290Command(CP290SetClock, std::vector<uint8_t> {1, 2, 4}.data(), 3));
    EXPECT_EQ(frontEnd.alertTitles(), (std::vector<std::string> {"Cannot Open Serial Device", "CP290 Not Responding"}));
    EXPECT_EQ(frontEnd.alerts[0].message, "The specified serial device cannot be opened.  Please recheck your connections, reselect "
                                          "the device (under the CP290 menu), and then retry.");
    EXPECT_EQ(frontEnd.alerts[1].message, notRespondingMessage(std::strerror(EBADF)));
    EXPECT_EQ(frontEnd.statusEndsBeforeAlert, (std::vector<int> {1, 2}));
    EXPECT_TRUE(frontEnd.increments.empty());
    EXPECT_EQ(CP290FileDescriptor, -1);
}

TEST_F(CommandExchange, ClockReplyFillsMinuteHourAndBaseHouseCode)
{
    line.queueReply(acknowledgement(1, {5, 19, 0x10, 0xE0}));
    ASSERT_TRUE(SendCP290Command(CP290ReportClock, nullptr, 0));
    EXPECT_EQ(gMinute, 5);
    EXPECT_EQ(gHour, 19);
    EXPECT_EQ(gBaseHouseCode, 0xE0);
}

// The upload is 128 records after the status, each written over bytes two to nine (an empty one
// only its mode byte), with one progress share before and one a record.
TEST_F(CommandExchange, UploadFillsBytesTwoToNineOfEachRecordAndReadsNoFurther)
{
    const std::vector<uint8_t> first = {0x08, 0x1F, 0x13, 0x05, 0x20, 0x00, 0x60, 0x02}, last = {0x04, 0x7F, 0x06, 0x30, 0x00, 0x10, 0xE0, 0x85};
    std::vector<uint8_t> reply = first;
    reply.insert(reply.end(), 126, 0xFF);  // an empty record is its mode byte alone
    reply.insert(reply.end(), last.begin(), last.end());
    reply.push_back(0x42);  // not the upload's: must still be waiting afterwards
    line.queueReply(acknowledgement(1, reply));
    std::memset(CP290TimerEvent, 0x11, sizeof CP290TimerEvent);
    gProgressBudget = 130;
    ASSERT_TRUE(SendCP290Command(CP290UploadTimerRecords, nullptr, 0));
    EXPECT_EQ(std::vector<uint8_t>(CP290TimerEvent[0], CP290TimerEvent[0] + 10),
              (std::vector<uint8_t> {0x11, 0x11, 0x08, 0x1F, 0x13, 0x05, 0x20, 0x00, 0x60, 0x02}));
    for (int n = 1; n < 127; ++n)
        EXPECT_EQ(CP290TimerEvent[n][2] << 8 | CP290TimerEvent[n][3], 0xFF11) << n;
    EXPECT_EQ(std::vector<uint8_t>(CP290TimerEvent[127] + 2, CP290TimerEvent[127] + 10), last);
    EXPECT_EQ(frontEnd.increments.size(), 129u);
    EXPECT_DOUBLE_EQ(frontEnd.progressTotal(), 129);
    CP290Close = 0;
    ASSERT_NE(openCP290(), -1);
    uint8_t next = 0;
    ASSERT_TRUE(GetByte(&next));
    EXPECT_EQ(next, 0x42);
}

TEST_F(CommandExchange, LinkStaysOpenWhileCloseIsClearedEvenAfterAFailure)
{
    CP290Close = 0;
    line.queueReply(acknowledgement(1));
    ASSERT_TRUE(SendCP290Command(CP290SetClock, std::vector<uint8_t> {1, 2, 4}.data(), 3));
    const int openDescriptor = CP290FileDescriptor;
    EXPECT_NE(openDescriptor, -1);
    EXPECT_FALSE(SendCP290Command(CP290SetClock, std::vector<uint8_t> {1, 2, 4}.data(), 3));
    EXPECT_EQ(CP290FileDescriptor, openDescriptor);

    CP290Close = 1;
    line.queueReply(acknowledgement(1));
    ASSERT_TRUE(SendCP290Command(CP290SetClock, std::vector<uint8_t> {1, 2, 4}.data(), 3));
    EXPECT_EQ(CP290FileDescriptor, -1);
}
