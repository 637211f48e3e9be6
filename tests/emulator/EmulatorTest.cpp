// The driver against the emulated box over a real pseudo-terminal.

#include "driver/CommandExchange.h"
#include "driver/DeviceOperations.h"
#include "driver/SerialLink.h"
#include "tests/support/RecordingFrontEnd.h"
#include "tests/support/ScriptedLine.h"
#include "tools/emulator/CP290Emulator.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <mutex>
#include <unistd.h>

namespace {

std::vector<uint8_t> timerRecord(int number, std::vector<uint8_t> stored)
{
    stored.insert(stored.begin(), {static_cast<uint8_t>(number * 8), static_cast<uint8_t>(number * 8 >> 8)});
    return stored;
}

bool store(const std::vector<uint8_t> &record)
{
    return SendCP290Command(CP290StoreTimerRecord, record.data(), static_cast<int16_t>(record.size()));
}

class Emulated : public ::testing::Test {
protected:
    void startBox()
    {
        box = std::make_unique<CP290Emulator>(EmulatorOptions {.tickScale = 0.05});
        std::string error;
        ASSERT_TRUE(box->start(&error)) << error;
        box->setOutput([this](const std::string &line) {
            std::lock_guard guard(outputLock);
            output.push_back(line);
        });
        frontEnd = std::make_unique<RecordingFrontEnd>(box->devicePath());
    }
    std::vector<std::string> firedLines()
    {
        std::lock_guard guard(outputLock);
        return output;
    }

    std::unique_ptr<CP290Emulator> box;
    std::unique_ptr<RecordingFrontEnd> frontEnd;
    std::mutex outputLock;
    std::vector<std::string> output;
};

}  // namespace

TEST_F(Emulated, WrongChecksumIsRefused)
{
    startBox();
    const int fd = open(box->devicePath().c_str(), O_RDWR | O_NONBLOCK);
    std::vector<uint8_t> frame = expectedFrame(CP290SetClock, {30, 14, 0x04}, 0x31);
    ASSERT_EQ(write(fd, frame.data(), frame.size()), static_cast<ssize_t>(frame.size()));
    std::vector<uint8_t> answer;
    for (int wait = 0; wait < 100 && answer.size() < 7; ++wait) {
        uint8_t byte;
        if (read(fd, &byte, 1) == 1)
            answer.push_back(byte);
        else
            usleep(10000);
    }
    close(fd);
    EXPECT_EQ(answer, acknowledgement(0));
}

TEST_F(Emulated, RecordsFireByTheBoxClock)
{
    startBox();
    box->setClock({0, 19, 4});  // Monday 19:04
    CP290Close = 0;
    ASSERT_TRUE(store(timerRecord(0, {0x08, 0x1F, 19, 5, 0x20, 0x00, 0x60, 0x02})));  // A3 on, weekdays
    ASSERT_TRUE(store(timerRecord(1, {0x08, 0x20, 19, 5, 0x10, 0x00, 0x60, 0x02})));  // Saturdays only
    ASSERT_TRUE(store(timerRecord(2, {0x04, 0x7F, 19, 6, 0x00, 0x10, 0xE0, 0x85})));  // today
    ASSERT_TRUE(store(timerRecord(3, {0x02, 0x7F, 19, 6, 0x80, 0x00, 0x60, 0x03})));  // tomorrow
    CP290Close = 1;
    closeCP290();
    ASSERT_TRUE(CP290DoOnOffDim(0, 1, CP290FunctionOn));

    box->advanceClock(2);
    box->advanceClock(24 * 60);  // Tuesday 19:06
    EXPECT_EQ(firedLines(), (std::vector<std::string> {
                                "Mon 19:04 now A1 on",
                                "Mon 19:05 fired record 0: A3 on",
                                "Mon 19:06 fired record 2: B12 dim 50%",
                                "Tue 19:05 fired record 0: A3 on",
                                "Tue 19:06 fired record 3: A1 off",
                            }));
}
