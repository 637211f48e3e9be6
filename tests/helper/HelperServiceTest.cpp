#include "document/DownloadedModules.h"
#include "document/EventDownload.h"
#include "driver/CommandExchange.h"
#include "driver/DeviceOperations.h"
#include "driver/TimerDownload.h"
#include "platform/FileContents.h"
#include "platform/HelperBundle.h"
#include "platform/Location.h"
#include "platform/UserDefaultsFile.h"
#include "tests/support/Dates.h"
#include "tests/support/Events.h"
#include "tests/support/RecordingFrontEnd.h"
#include "tools/emulator/CP290Emulator.h"
#include "tools/helper/HelperService.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path &path)
{
    return readFileContents(path).value_or("");
}

// A home of its own: settings, data and the emulated CP290 linked into a folder of devices.
class Helper : public ::testing::Test {
protected:
    void SetUp() override
    {
        home = fs::temp_directory_path() / ("tavorin-helper-" + std::to_string(getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(home);
        fs::create_directories(home / "devices");
        setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
        setLocationOverride(Location {41, -74, -18000});
        writeApplicationDefaults({{"SerialDevice", "CP290"}, {"Extra Serial Device Folder", (home / "devices").string()}});
    }
    void TearDown() override
    {
        setDateTimeSource({});
        setLocationOverride(std::nullopt);
        box.reset();
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("XDG_DATA_HOME");
        fs::remove_all(home);
    }
    void startBox()
    {
        EmulatorOptions options;
        options.tickScale = 0.05;
        options.linkPath = (home / "devices" / "ttyCP290").string();
        box = std::make_unique<CP290Emulator>(options);
        std::string error;
        ASSERT_TRUE(box->start(&error)) << error;
    }
    static std::vector<Module> house()
    {
        Event dated = clockEvent(EventOn | EventOnDate | EventRepeatDays, 19, 0);
        dated.Date = secondsAt(2026, 12, 7);
        dated.Repeat = 2;
        return {module(0, 1, {dated}), module(1, 2, {clockEvent(EventOn | EventEvenDays, 8, 0)}),
                module(2, 3, {clockEvent(EventOn | EventAllDays, 21, 0)})};
    }
    // The records the download computes for a moment, as stored bytes.
    static std::vector<std::vector<uint8_t>> planFor(uint32_t now)
    {
        setDateTimeSource([now] { return now; });
        bool anyEvent = false;
        encodeDocumentEvents(house(), {}, &anyEvent);
        std::vector<std::vector<uint8_t>> records;
        for (int n = 0; n < NumEvents; ++n)
            records.emplace_back(CP290TimerEvent[n] + 2, CP290TimerEvent[n] + 10);
        return records;
    }
    std::vector<std::vector<uint8_t>> stored() const
    {
        std::vector<std::vector<uint8_t>> records;
        for (int n = 0; n < box->storedRecordCount(); ++n) {
            const auto record = box->storedRecord(n);
            records.emplace_back(record.begin(), record.end());
        }
        return records;
    }

    fs::path home;
    std::unique_ptr<CP290Emulator> box;
};

}  // namespace

TEST(HelperBundle, VersionNumbersFollowTheRule)
{
    struct Case {
        const char *text;
        int number;
    } cases[] = {{"1.0", 10999}, {"1.0a1", 10110}, {"1.0b2", 10220}, {"1.1", 11999}, {"1.15", 11500},
                 {"1.1b1", 11210}, {"1.0.1", 10999}, {"", 999}, {"garbage", 999}};
    for (const Case &c : cases)
        EXPECT_EQ(helperVersionNumber(c.text), c.number) << c.text;
}

TEST_F(Helper, NightlyRunLoadsTheNewDaysRecords)
{
    startBox();
    RecordingFrontEnd frontEnd(box->devicePath());
    ASSERT_TRUE(rememberDownloadedModules(house(), {}));
    HelperService service;

    const uint32_t evening = secondsAt(2026, 12, 7, 23, 59);
    EXPECT_TRUE(service.dueAtStart(evening)) << "never downloaded";
    const auto first = planFor(evening);
    ASSERT_TRUE(service.runDownload());
    EXPECT_EQ(stored(), first);
    EXPECT_FALSE(service.dueAtStart(evening)) << "done for today";

    const uint32_t next = HelperService::nextRunTime(evening, true);
    EXPECT_EQ(next, secondsAt(2026, 12, 8, 0, 1));
    EXPECT_TRUE(service.dueAtStart(next));
    const auto second = planFor(next);
    ASSERT_TRUE(service.runDownload());
    EXPECT_EQ(stored(), second);
    EXPECT_NE(first, second) << "the dated event moves to the other day";
    EXPECT_NE(slurp(helperLogFilePath()).find("-- Events sent.\n"), std::string::npos);
}

// A failed run logs its alert and tries again a quarter of an hour later. A CP290 unplugged for a
// night is one line in the log and its count, not a line every quarter of an hour; the log moves
// aside at a megabyte.
TEST_F(Helper, RepeatedFailuresAreLoggedOnceWithTheirCountAndTheLogIsRotated)
{
    ASSERT_TRUE(rememberDownloadedModules(house(), {}));
    setDateTimeSource([] { return secondsAt(2026, 12, 8, 0, 1); });
    HelperService service;
    for (int run = 0; run < 3; ++run)
        EXPECT_FALSE(service.runDownload());  // no device there
    EXPECT_EQ(service.lastLine(), "Cannot Open Serial Device");
    EXPECT_TRUE(service.dueAtStart(secondsAt(2026, 12, 8, 0, 1))) << "a failure is no download";
    EXPECT_EQ(HelperService::nextRunTime(secondsAt(2026, 12, 8, 0, 1), false), secondsAt(2026, 12, 8, 0, 16));
    std::string log = slurp(helperLogFilePath());
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    startBox();
    RecordingFrontEnd frontEnd(box->devicePath());
    EXPECT_TRUE(service.runDownload());
    log = slurp(helperLogFilePath());
    EXPECT_NE(log.find("-- Cannot Open Serial Device (3 times in a row)\n"), std::string::npos) << log;
    EXPECT_EQ(log.substr(log.size() - 16), "-- Events sent.\n") << log;

    std::ofstream(helperLogFilePath(), std::ios::app) << std::string(LogRotationSize, 'x') << '\n';
    writeLog("Enabled by user.");
    EXPECT_GT(fs::file_size(helperLogFilePath() + ".1"), LogRotationSize);
    EXPECT_NE(slurp(helperLogFilePath()).find("Enabled by user."), std::string::npos);
    EXPECT_LT(fs::file_size(helperLogFilePath()), 100u);
}

// The machine sleeps from before midnight to the morning: the clock jumps while the helper waits,
// and the download happens at its next look, never more than a minute after waking.
TEST_F(Helper, AMachineAsleepAtMidnightSendsOnWaking)
{
    startBox();
    RecordingFrontEnd frontEnd(box->devicePath());
    ASSERT_TRUE(rememberDownloadedModules(house(), {}));
    uint32_t now = secondsAt(2026, 12, 7, 23, 0);
    setDateTimeSource([&now] { return now; });
    HelperService service;
    ASSERT_TRUE(service.runDownload());  // today's is done: the next is due after midnight

    std::vector<uint32_t> waits;
    int downloadsBefore = static_cast<int>(box->receivedFrames().size());
    service.runUntilStopped([&](uint32_t seconds) {
        waits.push_back(seconds);
        if (waits.size() == 1) {
            now = secondsAt(2026, 12, 8, 7, 30);  // asleep through midnight, waking at half past seven
            return true;
        }
        return false;
    });
    ASSERT_EQ(waits.size(), 2u);
    EXPECT_LE(waits[0], HelperService::LongestWait) << "no wait outlasts a minute of a clock that stops in sleep";
    EXPECT_GT(static_cast<int>(box->receivedFrames().size()), downloadsBefore) << "sent at the first look after waking";
    EXPECT_EQ(service.lastLine(), "Events sent.");
}
