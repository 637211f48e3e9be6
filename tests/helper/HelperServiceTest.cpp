#include "document/DownloadedModules.h"
#include "document/EventDownload.h"
#include "document/WeekSchedule.h"
#include "driver/CommandExchange.h"
#include "driver/DeviceOperations.h"
#include "driver/TimerDownload.h"
#include "platform/Base64.h"
#include "platform/FileContents.h"
#include "platform/HelperBundle.h"
#include "platform/HelperProcess.h"
#include "platform/Location.h"
#include "platform/LoginItems.h"
#include "platform/UserDefaultsFile.h"
#include "tests/support/Dates.h"
#include "tests/support/Events.h"
#include "tests/support/HostileLists.h"
#include "tests/support/RecordBytes.h"
#include "tests/support/RecordingFrontEnd.h"
#include "tests/support/TestHome.h"
#include "tools/emulator/CP290Emulator.h"
#include "tools/helper/HelperService.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
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
        scratch = std::make_unique<TestHome>("helper");
        home = scratch->path;
    }
    void TearDown() override
    {
        setDateTimeSource({});
        box.reset();
        scratch.reset();
    }
    void startBox()
    {
        box = scratch->startEmulator();
        ASSERT_TRUE(box);
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
        return encodedRecordBytes();
    }
    std::vector<std::vector<uint8_t>> stored() const { return storedRecordBytes(*box); }

    std::unique_ptr<TestHome> scratch;
    fs::path home;
    std::unique_ptr<CP290Emulator> box;
};

}  // namespace

// The user's copy is replaced whenever any file of the installed bundle differs: a patch release
// with the same major and minor version, or a new build of the same version.
TEST_F(Helper, CopyIsReplacedWheneverTheInstalledBundleDiffers)
{
    const auto bundle = [&](const std::string &name, const std::string &version, const std::string &program) {
        const fs::path path = home / name / HelperBundleName;
        fs::create_directories(path / "Contents" / "bin");
        std::ofstream(path / "Contents" / "Info.plist") << "<plist><dict><key>CFBundleVersion</key><string>" << version
                                                         << "</string></dict></plist>";
        std::ofstream(path / "Contents" / "bin" / HelperProgramName) << program;
        return path.string();
    };
    const std::string copy = (home / "copy" / HelperBundleName).string();
    struct Case {
        const char *what;
        std::string resource;
        HelperCopyStep step;
    } cases[] = {
        {"no copy yet", bundle("r1", "1.1.0", "build 1"), HelperCopyStep::Install},
        {"the same bundle", bundle("r2", "1.1.0", "build 1"), HelperCopyStep::Keep},
        {"a patch release", bundle("r3", "1.1.1", "build 2"), HelperCopyStep::Replace},
        {"another build of one version", bundle("r4", "1.1.1", "build 3"), HelperCopyStep::Replace},
        {"no installed bundle", (home / "nowhere").string(), HelperCopyStep::None},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(helperCopyStep(c.resource, copy), c.step) << c.what;
        if (c.step == HelperCopyStep::Install || c.step == HelperCopyStep::Replace) {
            ASSERT_TRUE(copyBundle(c.resource, copy)) << c.what;
            EXPECT_EQ(helperCopyStep(c.resource, copy), HelperCopyStep::Keep) << c.what << ", once copied";
        }
    }
    fs::create_directories(fs::path(copy) / "Contents" / "extra");
    std::ofstream(fs::path(copy) / "Contents" / "extra" / "left over") << "x";
    EXPECT_EQ(helperCopyStep(cases[3].resource, copy), HelperCopyStep::Replace) << "a copy with a file more";
}

// The helper follows the application that installed it: while the program is there it runs on;
// once it is gone (the package removed) the helper removes its login item, says why and stops at
// its next look, without downloading.
TEST_F(Helper, LeavesWithItsLoginItemWhenTheApplicationIsGone)
{
    const fs::path application = home / "bin" / "tavorin";
    fs::create_directories(application.parent_path());
    std::ofstream(application) << "#!/bin/sh\n";
    ASSERT_TRUE(recordInstallingApplication(application.string()));
    ASSERT_TRUE(addLoginItem("/x/Tavorin Helper.app/Contents/bin/tavorin-helper", true, application.string()));
    const std::string entry = slurp(loginItemsFolder() + "/tavorin-helper.desktop");
    EXPECT_NE(entry.find("TryExec=" + application.string() + "\n"), std::string::npos) << entry;

    setDateTimeSource([] { return secondsAt(2026, 12, 7, 12, 0); });
    writeApplicationDefaults({{"Last Download", std::to_string(secondsAt(2026, 12, 7))}}, HelperDomain);
    int looks = 0;
    HelperService service;
    service.runUntilStopped([&](uint32_t) {
        if (++looks == 2)
            fs::remove(application);
        return looks < 5;
    });
    EXPECT_EQ(looks, 2) << "it stops at the first look after the program went";
    EXPECT_EQ(findHelperLoginItem(readLoginItems()), nullptr);
    EXPECT_NE(slurp(home / "data" / "Logs" / "TavorinHelper.log").find("The application that installed the helper is gone"),
              std::string::npos);
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
    EXPECT_EQ(service.lastLine(), "No Serial Device");
    EXPECT_TRUE(service.dueAtStart(secondsAt(2026, 12, 8, 0, 1))) << "a failure is no download";
    EXPECT_EQ(HelperService::nextRunTime(secondsAt(2026, 12, 8, 0, 1), false), secondsAt(2026, 12, 8, 0, 16));
    std::string log = slurp(helperLogFilePath());
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    startBox();
    RecordingFrontEnd frontEnd(box->devicePath());
    EXPECT_TRUE(service.runDownload());
    log = slurp(helperLogFilePath());
    EXPECT_NE(log.find("-- No Serial Device (3 times in a row)\n"), std::string::npos) << log;
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

// The clock set back a day and a half, from noon to the small hours of the day before yesterday:
// a new local date, so the helper sends a minute past its midnight instead of waiting for the
// midnight it had planned, days away. Waking from sleep sends again at once.
TEST_F(Helper, AClockSetBackAcrossMidnightGivesADownload)
{
    startBox();
    RecordingFrontEnd frontEnd(box->devicePath());
    ASSERT_TRUE(rememberDownloadedModules(house(), {}));
    uint32_t now = secondsAt(2026, 12, 9, 12, 0);
    setDateTimeSource([&now] { return now; });
    HelperService service;
    ASSERT_TRUE(service.runDownload());
    const std::size_t framesBefore = box->receivedFrames().size();
    std::size_t framesAfterSetBack = 0;
    int looks = 0;
    service.runUntilStopped([&](uint32_t) {
        if (++looks == 1)
            now = secondsAt(2026, 12, 8, 0, 0);
        else if (looks == 2)
            now = secondsAt(2026, 12, 8, 0, 1);
        else if (looks == 3) {
            framesAfterSetBack = box->receivedFrames().size();
            service.sendAtNextLook();  // as the helper does on waking from sleep
        }
        return looks < 4;
    });
    EXPECT_GT(framesAfterSetBack, framesBefore) << "sent at a minute past the new date's midnight";
    EXPECT_GT(box->receivedFrames().size(), framesAfterSetBack) << "sent again on waking";
    EXPECT_EQ(stored(), planFor(secondsAt(2026, 12, 8, 0, 1)));
}

// Remembered modules that are not safe to read are refused with their reason in the log; nothing
// goes to the CP290, which keeps what it holds.
TEST_F(Helper, HostileRememberedModulesAreLoggedAndNothingIsSent)
{
    startBox();
    RecordingFrontEnd frontEnd(box->devicePath());
    for (const std::string &bytes : {nestedXml(200000), aliasedArrays(2000, 500), sharedString(1 << 20, 3000)}) {
        writeApplicationDefaults({{"Modules", base64Encoded(bytes)}, {"EventRepeat", base64Encoded(std::string("\1\1", 2))}});
        HelperService service;
        EXPECT_FALSE(service.runDownload());
        EXPECT_EQ(service.lastLine().rfind("The remembered modules cannot be read: the ", 0), 0u) << service.lastLine();
        EXPECT_TRUE(box->receivedFrames().empty());
    }
    const std::string log = slurp(helperLogFilePath());
    for (const char *reason : {"nests deeper than a document does", "gives two of its objects one place",
                               "repeats its objects far beyond its own size"})
        EXPECT_NE(log.find(reason), std::string::npos) << log;
}

// Signal 15 while the CP290 babbles and never acknowledges: the helper ends the download as a
// failed one and leaves within five seconds, though the box alone would hold it far longer.
TEST_F(Helper, Signal15MidDownloadEndsTheHelperWithinFiveSeconds)
{
    box = scratch->startEmulator({.babble = true});
    ASSERT_TRUE(box);
    ASSERT_TRUE(rememberDownloadedModules(house(), {}));

    const pid_t helper = fork();
    if (helper == 0) {
        setenv("TAVORIN_TICK_SCALE", "1", 1);  // the box's full five seconds for each of three tries
        execl(TAVORIN_HELPER_PATH, "tavorin-helper", static_cast<char *>(nullptr));
        _exit(127);
    }
    using namespace std::chrono;
    for (auto start = steady_clock::now(); box->receivedFrames().empty() && steady_clock::now() - start < seconds(10);)
        std::this_thread::sleep_for(milliseconds(10));
    ASSERT_FALSE(box->receivedFrames().empty()) << "the download began";
    std::this_thread::sleep_for(milliseconds(300));  // well into the babble
    const auto signalled = steady_clock::now();
    kill(helper, SIGTERM);
    int status = -1;
    while (waitpid(helper, &status, WNOHANG) == 0 && steady_clock::now() - signalled < seconds(15))
        std::this_thread::sleep_for(milliseconds(10));
    const auto took = steady_clock::now() - signalled;
    if (status == -1)
        kill(helper, SIGKILL), waitpid(helper, &status, 0);
    EXPECT_LT(took, seconds(5));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    const std::string log = slurp(helperLogFilePath());
    EXPECT_NE(log.find("-- CP290 Not Responding\n"), std::string::npos) << log;
    EXPECT_NE(log.find("-- Stopped.\n"), std::string::npos) << log;
    EXPECT_FALSE(readApplicationDefault("Last Download", HelperDomain)) << "a download cut short is no download";
}

// What the helper's preferences say is only a hint: garbage, a number gone stale, another of the
// user's programs and process 1 are never signalled, and their record is cleared; only a running
// helper is. The helper here is a stand-in (the sleep program under the helper's name), so nothing
// else of the machine's is ever touched.
TEST_F(Helper, OnlyTheHelperItselfIsEverSignalled)
{
    const auto run = [](const std::string &program) {
        const pid_t pid = fork();
        if (pid == 0) {
            execl(program.c_str(), program.c_str(), "30", static_cast<char *>(nullptr));
            _exit(127);
        }
        return pid;
    };
    fs::copy_file("/bin/sleep", home / HelperProgramName);
    const pid_t helper = run((home / HelperProgramName).string());
    const pid_t other = run("/bin/sleep");
    const pid_t gone = fork();
    if (gone == 0)
        _exit(0);
    waitpid(gone, nullptr, 0);
    for (int wait = 0; wait < 200 && trustedHelperProcess(std::to_string(helper)) != helper; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));  // until it has become the stand-in

    struct Case {
        std::string recorded;
        std::optional<pid_t> signalled;
    } cases[] = {{"-1", {}}, {"0", {}}, {"1", {}}, {"abc", {}}, {std::to_string(helper) + "x", {}}, {"", {}},
                 {std::to_string(gone), {}}, {std::to_string(other), {}}, {std::to_string(helper), helper}};
    for (const Case &c : cases) {
        EXPECT_EQ(trustedHelperProcess(c.recorded), c.signalled) << '"' << c.recorded << '"';
        writeApplicationDefaults({{"Process ID", c.recorded}}, HelperDomain);
        EXPECT_EQ(recordedHelperProcess(), c.signalled) << '"' << c.recorded << '"';
        EXPECT_EQ(readApplicationDefault("Process ID", HelperDomain).value_or(""), c.signalled ? c.recorded : "")
            << "a record that names no helper is cleared: \"" << c.recorded << '"';
    }

    writeApplicationDefaults({{"Process ID", std::to_string(other)}}, HelperDomain);
    EXPECT_FALSE(stopRecordedHelper());
    EXPECT_EQ(waitpid(other, nullptr, WNOHANG), 0) << "the other program runs on";
    writeApplicationDefaults({{"Process ID", std::to_string(helper)}}, HelperDomain);
    EXPECT_TRUE(stopRecordedHelper());
    int status = 0;
    ASSERT_EQ(waitpid(helper, &status, 0), helper);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    kill(other, SIGKILL);
    waitpid(other, nullptr, 0);
}

// The helper's login item names its program however odd the home folder: a percent sign, a
// backslash, quotes, a dollar sign, a tab or a line break survive the desktop entry's escapes; a
// path with another control character, which no entry can carry, is refused.
TEST_F(Helper, LoginItemsNameTheirProgramThroughEveryEscape)
{
    const std::string folder = (home / "autostart").string();
    for (const std::string path : {"/home/50% off/bin/tavorin-helper", "/home/back\\slash/x", "/home/\"q\" $HOME `id`/x",
                                   "/home/tab\there/x", "/home/new\nline/x", "/plain/Tavorin Helper.app/x"}) {
        ASSERT_TRUE(addLoginItem(path, true, {}, folder)) << path;
        const std::vector<LoginItem> items = readLoginItems(folder);
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(items[0].path, path);
        const std::string entry = slurp(items[0].entryFile);
        EXPECT_EQ(entry.find('\t'), std::string::npos) << "a tab is written as its escape";
        EXPECT_EQ(std::count(entry.begin(), entry.end(), '\n'), 8) << "one line a key: " << entry;
    }
    EXPECT_NE(slurp(folder + "/tavorin-helper.desktop").find("Exec=\"/plain/Tavorin Helper.app/x\"\n"), std::string::npos);
    EXPECT_FALSE(addLoginItem("/home/bell\a/x", true, {}, folder));
    EXPECT_FALSE(addLoginItem("/x/Tavorin Helper.app/x", true, "/home/bell\a/tavorin", folder));
}

// Thirty nights of the helper against a CP290 that keeps its records between downloads: what the
// box holds each day is what the schedule says, the days whose download sends nothing included
// (they keep the last records sent). Sun events above the Arctic Circle in December and January,
// where the sun neither rises nor sets for weeks, and events on even days only.
TEST_F(Helper, ThirtyNightsHoldWhatTheScheduleSaysKeptDaysIncluded)
{
    startBox();
    RecordingFrontEnd frontEnd(box->devicePath());
    Event sunrise = clockEvent(EventOn | EventAllDays, 0, 0);
    sunrise.Flags = static_cast<uint16_t>((sunrise.Flags & ~EventClockTime) | EventSunrise);
    Event sunset = sunrise;
    sunset.Flags = static_cast<uint16_t>((sunset.Flags & ~EventSunrise & ~EventOn) | EventSunset);
    struct Case {
        const char *what;
        std::vector<Module> modules;
        Location place;
        uint32_t first;
    } cases[] = {
        {"sun events at 69 degrees north", {module(0, 1, {sunrise, sunset})}, Location {69, 19, 3600}, secondsAt(2026, 11, 20)},
        {"events on even days", {module(1, 2, {clockEvent(EventOn | EventEvenDays, 7, 0), clockEvent(EventEvenDays, 9, 0)})},
         Location {41, -74, -18000}, secondsAt(2026, 12, 7)},
    };
    for (const Case &c : cases) {
        setLocationOverride(c.place);
        ASSERT_TRUE(rememberDownloadedModules(c.modules, {}));
        setDateTimeSource({});
        const std::vector<ScheduledDay> schedule = weekSchedule(c.modules, {}, c.first, 30);
        ASSERT_EQ(schedule.size(), 30u);
        int keptDays = 0;
        HelperService service;
        for (const ScheduledDay &day : schedule) {
            setDateTimeSource([moment = day.midnight + HelperSendsAfterMidnight] { return moment; });
            ASSERT_TRUE(service.runDownload()) << c.what;
            keptDays += day.kept;
            EXPECT_EQ(service.lastLine(), day.kept ? NothingDueText : "Events sent.") << c.what;
            std::vector<std::vector<uint8_t>> expected;
            for (const TimerRecord &record : day.records)
                expected.emplace_back(record.begin() + 2, record.end());
            if (day.keptFrom || !day.kept) {
                EXPECT_EQ(stored(), expected) << c.what << ", day " << (day.midnight - c.first) / SecondsPerDay;
            }
        }
        EXPECT_GT(keptDays, 4) << c.what << ": days that send nothing";
        EXPECT_LT(keptDays, 30) << c.what;
    }
}
