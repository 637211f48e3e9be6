#include "driver/CommandExchange.h"
#include "driver/SerialLink.h"
#include "tests/support/RecordingFrontEnd.h"
#include "tests/support/ScriptedLine.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

TEST(SerialLink, OpensRawAt600BaudAndPutsTheOldSettingsBack)
{
    ScriptedLine line;
    struct termios original = line.settings();
    original.c_lflag |= ICANON | ECHO | ISIG;
    original.c_oflag |= OPOST | ONLCR;
    cfsetspeed(&original, B9600);
    line.applySettings(original);
    RecordingFrontEnd frontEnd(line.path());

    ASSERT_NE(openCP290(), -1);
    const struct termios open = line.settings();
    EXPECT_EQ(cfgetospeed(&open), B600);
    EXPECT_EQ(cfgetispeed(&open), B600);
    EXPECT_EQ(open.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(open.c_oflag & (OPOST | ONLCR), 0u);
    EXPECT_EQ(open.c_cflag & (CSIZE | CSTOPB | PARENB | CREAD | CLOCAL), tcflag_t(CS8 | CREAD | CLOCAL));
    EXPECT_EQ(open.c_cc[VMIN], 1);
    EXPECT_EQ(open.c_cc[VTIME], 10);
    EXPECT_NE(fcntl(CP290FileDescriptor, F_GETFL) & O_NONBLOCK, 0);

    closeCP290();
    EXPECT_EQ(CP290FileDescriptor, -1);
    const struct termios restored = line.settings();
    EXPECT_EQ(cfgetospeed(&restored), B9600);
    EXPECT_EQ(restored.c_lflag & (ICANON | ECHO | ISIG), tcflag_t(ICANON | ECHO | ISIG));
    EXPECT_EQ(restored.c_oflag & (OPOST | ONLCR), tcflag_t(OPOST | ONLCR));
    EXPECT_TRUE(frontEnd.alerts.empty());
}

// The claim binds everybody but the superuser, so the other opener runs as nobody when we are root.
TEST(SerialLink, ExclusiveClaimRefusesASecondOpenerWhileTheLinkIsOpen)
{
    ScriptedLine line;
    chmod(line.path().c_str(), 0666);
    RecordingFrontEnd frontEnd(line.path());
    const auto otherOpens = [&line] {
        const pid_t child = fork();
        if (child == 0) {
            if (geteuid() == 0 && setuid(65534) != 0)
                _exit(3);
            const int fd = open(line.path().c_str(), O_RDWR | O_NONBLOCK);
            _exit(fd != -1 ? 0 : errno == EBUSY ? 1 : 2);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    ASSERT_NE(openCP290(), -1);
    EXPECT_EQ(otherOpens(), 1) << "the second open was not refused with EBUSY";
    closeCP290();
    EXPECT_EQ(otherOpens(), 0) << "the claim outlived the link";
}

TEST(SerialLink, PathChangeTakesEffectOnlyAtTheNextOpening)
{
    ScriptedLine first, second;
    RecordingFrontEnd frontEnd(first.path());
    CP290Close = 0;
    first.queueReply(acknowledgement(1, {30, 14, 0x04, 0x60}));
    first.queueReply(acknowledgement(1, {31, 14, 0x04, 0x60}));
    ASSERT_TRUE(SendCP290Command(CP290ReportClock, nullptr, 0));
    setCP290DeviceFilePath(second.path().c_str());
    ASSERT_TRUE(SendCP290Command(CP290ReportClock, nullptr, 0));
    EXPECT_EQ(gMinute, 31);
    closeCP290();
    CP290Close = 1;
    second.queueReply(acknowledgement(1, {32, 14, 0x04, 0x60}));
    ASSERT_TRUE(SendCP290Command(CP290ReportClock, nullptr, 0));
    EXPECT_EQ(gMinute, 32);

    const auto frame = expectedFrame(CP290ReportClock, {});
    std::vector<uint8_t> twice = frame;
    twice.insert(twice.end(), frame.begin(), frame.end());
    EXPECT_EQ(first.sentBytes(), twice);
    EXPECT_EQ(second.sentBytes(), frame);
}

// The pauses are spent asleep: waiting on a silent box costs almost no processor time.
TEST(SerialLink, GetByteGivesUpAfterThirtyPausesAsleepAndLeavesTheDestination)
{
    ScriptedLine line;
    RecordingFrontEnd frontEnd(line.path());
    ASSERT_NE(openCP290(), -1);
    const auto processorSeconds = [] {
        rusage usage {};
        getrusage(RUSAGE_SELF, &usage);
        return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
            + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    };
    uint8_t byte = 0x5A;
    const double processorBefore = processorSeconds();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(GetByte(&byte));
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(byte, 0x5A);
    // 300 ticks at the test's scale of a twentieth.
    EXPECT_GE(elapsed.count(), 0.24);
    EXPECT_LT((processorSeconds() - processorBefore) / elapsed.count(), 0.1);
    line.queueReply({0x42});
    EXPECT_TRUE(GetByte(&byte));
    EXPECT_EQ(byte, 0x42);
}
