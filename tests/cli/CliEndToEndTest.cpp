// tavorin-cli and cp290-emulator as the user runs them: two processes over a pseudo-terminal.

#include "document/DocumentFile.h"
#include "platform/FileContents.h"
#include "platform/JsonText.h"
#include "tests/support/Dates.h"
#include "tests/support/Events.h"
#include "tests/support/HostileLists.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Result {
    int status = -1;
    std::string out, err;
};

std::string slurp(const std::filesystem::path &path)
{
    return readFileContents(path).value_or("");
}

class EmulatorProcess {
public:
    explicit EmulatorProcess(const std::string &options)
    {
        folder = std::filesystem::temp_directory_path() / ("tavorin-cli-" + std::to_string(getpid()) + "-" + std::to_string(++count));
        std::filesystem::create_directories(folder);
        const std::string command = "exec " CP290_EMULATOR_PATH " --transcript " + (folder / "transcript").string()
            + " " + options + " > " + (folder / "out").string();
        pid = fork();
        if (pid == 0) {
            execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char *>(nullptr));
            _exit(127);
        }
        for (int wait = 0; wait < 500 && device().empty(); ++wait)
            usleep(10000);
    }
    ~EmulatorProcess()
    {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        std::filesystem::remove_all(folder);
    }
    std::string device() const
    {
        const std::string out = slurp(folder / "out");
        const auto end = out.find('\n');
        return end == std::string::npos ? std::string() : out.substr(0, end);
    }
    std::string output() const { return slurp(folder / "out"); }
    std::string transcript() const { return slurp(folder / "transcript"); }
    std::string settings() const { return slurp(folder / "config" / "Tavorin" / "Tavorin.conf"); }
    // Makes this box the serial device the application remembers, as the CP290 menu would.
    std::string linkPath() const { return (folder / "devices" / "ttyCP290").string(); }
    void rememberAsTheSerialDevice() const
    {
        std::filesystem::create_directories(folder / "devices");
        std::filesystem::create_symlink(device(), linkPath());
        std::filesystem::create_directories(folder / "config" / "Tavorin");
        std::ofstream(folder / "config" / "Tavorin" / "Tavorin.conf")
            << "[General]\nExtra%20Serial%20Device%20Folder=" << (folder / "devices").string() << "\nSerialDevice=CP290\n";
    }

    Result cli(const std::string &arguments, const std::string &environment = {}) const
    {
        const std::string command = environment + " XDG_CONFIG_HOME=" + (folder / "config").string() + " " TAVORIN_CLI_PATH " --device "
            + device() + " " + arguments + " > "
            + (folder / "cli.out").string() + " 2> " + (folder / "cli.err").string();
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(folder / "cli.out"), slurp(folder / "cli.err")};
    }

private:
    static inline int count = 0;
    std::filesystem::path folder;
    pid_t pid = -1;
};

bool contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

QJsonObject jsonOf(const std::string &text)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

}  // namespace

TEST(CliEndToEnd, SwitchesReadsTheClockTestsAndListsTheBox)
{
    EmulatorProcess box("");
    ASSERT_FALSE(box.device().empty());
    for (const char *command : {"on A1", "on b12 4", "off Call", "set-clock"})
        EXPECT_EQ(box.cli(command).status, 0) << command;
    EXPECT_EQ(box.transcript().substr(0, 66), "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF 01 02 60 00 80 E2\n") << "a hex line a frame";
    const Result clock = box.cli("clock");
    EXPECT_TRUE(contains(clock.out, "The CP290 reports the clock as ")) << clock.out << clock.err;
    const Result list = box.cli("list");
    EXPECT_TRUE(contains(list.out, "Events from CP290 as of ") && contains(list.out, ":\n\nNone.")) << list.out;
    EXPECT_EQ(box.cli("base-house K").out, "The Base House Code was set sucessfully.  Your events have been erased.\n");
    EXPECT_EQ(box.cli("self-test").out, "The self test completed sucessfully.  Your events have been erased.\n");

    const std::string output = box.output();
    for (const char *switched : {" now A1 on\n", " now B12 dim 50%\n", " now C all units off\n"})
        EXPECT_TRUE(contains(output, switched)) << output;

    EmulatorProcess noisy("--noise --reply-checksum");
    EXPECT_EQ(noisy.cli("list").status, 0);
    EXPECT_EQ(noisy.cli("clock").status, 0);
}

TEST(CliEndToEnd, UsageErrorsExitTwoAndSendNothing)
{
    EmulatorProcess box("");
    for (const char *arguments :
         {"", "dance", "on Q1", "on A17", "on A0", "on A1 10", "on A1 0", "off A1 5", "on Aall", "off Alights", "base-house Q",
          "clock now", "--speed 9 clock", "on A1 --json", "sun --date 2007-02-30", "sun --location 91,0,0",
          "sun --date 2007-06-21 --location 41,-74,-5:0", "plan", "plan a b", "send", "plan x --now 12:00",
          "schedule " EXAMPLE_DOCUMENT " --days 0", "parse " EXAMPLE_DOCUMENT " 0 1 on",
          // Hours without a colon would read as seconds; dates past what a document can name.
          "sun --location 41,-74,-5", "sun --location 41,-74,14", "plan " EXAMPLE_DOCUMENT " --location 41,-74,+3",
          "sun --date 2040-02-07", "plan " EXAMPLE_DOCUMENT " --now \"2040-02-06 06:29\"", "schedule " EXAMPLE_DOCUMENT " --from 2040-02-07",
          "schedule " EXAMPLE_DOCUMENT " --from 2039-12-31 --days 40"}) {
        const Result result = box.cli(arguments);
        EXPECT_EQ(result.status, 2) << arguments;
        EXPECT_TRUE(contains(result.err, "; see 'tavorin-cli --help'\n")) << arguments;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << "one line: " << result.err;
    }
    EXPECT_EQ(box.transcript(), "");
}

// As Unix tools do: help anywhere and for one command on standard output, the version, the device
// as --device=PATH after the command too, and the offset from Greenwich in hours.
TEST(CliEndToEnd, CommandLineFollowsUnixHabits)
{
    EmulatorProcess box("");
    for (const char *asked : {"--help", "-h", "clock --help"}) {
        const Result help = box.cli(asked);
        EXPECT_EQ(help.status, 0) << asked;
        EXPECT_EQ(help.out.rfind("usage: tavorin-cli", 0), 0u) << asked;
        EXPECT_EQ(help.err, "") << asked;
    }
    const Result onHelp = box.cli("on -h");
    EXPECT_TRUE(contains(onHelp.out, "usage: tavorin-cli [--device PATH] on ADDRESS [LEVEL]\n")) << onHelp.out;
    EXPECT_FALSE(contains(onHelp.out, "send FILE")) << "only the command's own: " << onHelp.out;
    EXPECT_EQ(box.cli("--version").out.rfind("tavorin-cli ", 0), 0u);
    EXPECT_TRUE(contains(box.cli("clock --device=" + box.device()).out, "The CP290 reports the clock as"));

    // After "--" nothing is an option: a document whose name begins with dashes.
    const auto odd = std::filesystem::temp_directory_path() / ("--odd-" + std::to_string(getpid()) + ".cp290");
    std::filesystem::copy_file(EXAMPLE_DOCUMENT, odd, std::filesystem::copy_options::overwrite_existing);
    const std::string inTemp = "cd " + odd.parent_path().string() + " &&";
    const std::string name = odd.filename().string();
    EXPECT_EQ(box.cli("describe " + name, inTemp).status, 2) << "taken for an option";
    EXPECT_TRUE(contains(box.cli("describe -- " + name, inTemp).out, "Porch Light"));
    EXPECT_EQ(box.cli("-- describe " + name, inTemp).status, 0);
    std::filesystem::remove(odd);
}

// Every option with a value reads the same as --name=VALUE and as --name VALUE, and the last one
// given counts.
TEST(CliEndToEnd, EveryOptionTakesBothFormsAndTheLastOneCounts)
{
    EmulatorProcess box("");
    const std::string document = EXAMPLE_DOCUMENT;
    struct Case {
        std::string command, option, value, other;
    } cases[] = {
        {"plan " + document, "--now", "\"2026-12-24 18:00\"", "\"2027-06-01 08:00\""},
        {"plan " + document, "--location", "41,-74,-5:00", "60,25,+2:00"},
        {"plan " + document, "--repeat", "2,3", "1,1"},
        {"schedule " + document + " --from 2026-12-07", "--days", "2", "5"},
        {"schedule " + document + " --days 2", "--from", "2027-03-27", "2026-12-07"},
        {"schedule " + document + " --days 2 --from 2026-12-07", "--location", "41,-74,-5:00", "0,0,0"},
        {"schedule " + document + " --days 2 --from 2026-12-07", "--repeat", "3,1", "1,1"},
        {"sun --location 41,-74,-5:00", "--date", "2026-06-21", "2026-12-21"},
        {"sun --date 2026-06-21", "--location", "60,25,+2:00", "41,-74,-4:00"},
        {"clock", "--device", box.device(), "/nonexistent"},
    };
    for (const Case &c : cases) {
        const Result spaced = box.cli(c.command + " " + c.option + " " + c.value);
        const Result joined = box.cli(c.command + " " + c.option + "=" + c.value);
        EXPECT_EQ(spaced.status, 0) << c.command << " " << c.option << ": " << spaced.err;
        EXPECT_EQ(joined.out, spaced.out) << c.command << " " << c.option;
        EXPECT_EQ(joined.status, spaced.status) << c.command << " " << c.option;
        const Result repeated = box.cli(c.command + " " + c.option + "=" + c.other + " " + c.option + " " + c.value);
        EXPECT_EQ(repeated.out, spaced.out) << "the last one counts: " << c.command << " " << c.option;
        EXPECT_NE(box.cli(c.command + " " + c.option + "=" + c.other).out, spaced.out) << "the value is read: " << c.option;
    }
    const Result sent = box.cli("send " + document + " --repeat=2,2 --location=41,-74,-5:00");
    EXPECT_EQ(sent.status, 0) << sent.err;
    EXPECT_FALSE(contains(sent.err, "location is not known")) << sent.err;
    EXPECT_EQ(box.cli("list --json=yes").status, 2) << "a flag takes no value";
    EXPECT_EQ(box.cli("plan " + document + " --now").status, 2) << "a value is needed";
}

// Each command's help: its usage line, its options, examples and exit statuses, the same by
// 'help COMMAND' and 'COMMAND --help'; a mistyped command or option is answered with the nearest.
TEST(CliEndToEnd, EachCommandHasItsHelpAndSlipsAreAnswered)
{
    EmulatorProcess box("");
    for (const char *verb : {"on", "off", "clock", "set-clock", "base-house", "self-test", "list", "send", "plan",
                             "schedule", "sun", "describe", "parse", "devices"}) {
        const Result asked = box.cli(std::string("help ") + verb);
        EXPECT_EQ(asked.status, 0) << verb;
        EXPECT_EQ(asked.out.rfind(std::string("usage: tavorin-cli [--device PATH] ") + verb, 0), 0u) << asked.out;
        EXPECT_TRUE(contains(asked.out, "\nexamples:\n  tavorin-cli ")) << asked.out;
        EXPECT_TRUE(contains(asked.out, "\nexit status: 0 done; ")) << asked.out;
        EXPECT_EQ(box.cli(std::string(verb) + " --help").out, asked.out) << verb;
    }
    EXPECT_TRUE(contains(box.cli("help schedule").out, "  --days=N ")) << "each option is described";
    struct Slip {
        const char *arguments, *said;
    } slips[] = {
        {"lsit", "unknown command 'lsit' (did you mean 'list'?)"},
        {"shedule x", "unknown command 'shedule' (did you mean 'schedule'?)"},
        {"list --jsno", "unknown option '--jsno' (did you mean '--json'?)"},
        {"schedule x --dyas 3", "unknown option '--dyas' (did you mean '--days'?)"},
        {"describe x --json", "'describe' has no --json"},
        {"frobnicate", "unknown command 'frobnicate'; see"},
    };
    for (const Slip &slip : slips) {
        const Result result = box.cli(slip.arguments);
        EXPECT_EQ(result.status, 2) << slip.arguments;
        EXPECT_TRUE(contains(result.err, slip.said)) << slip.arguments << ": " << result.err;
    }
    EXPECT_EQ(box.transcript(), "");
}

// Output that cannot be written is a failure said in one line, not a silent success.
TEST(CliEndToEnd, AnOutputThatCannotBeWrittenFails)
{
    EmulatorProcess box("");
    for (const std::string &redirection : {std::string("> /dev/full"), std::string(">&-")}) {
        const std::string command = TAVORIN_CLI_PATH " describe " EXAMPLE_DOCUMENT " " + redirection + "; echo status $?";
        FILE *pipe = popen(("sh -c '" + command + "' 2>&1").c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string said;
        for (char buffer[256]; std::fgets(buffer, sizeof buffer, pipe);)
            said += buffer;
        pclose(pipe);
        EXPECT_TRUE(contains(said, "tavorin-cli: the output could not be written: ")) << redirection << ": " << said;
        EXPECT_TRUE(contains(said, "\nstatus 1\n")) << redirection << ": " << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << "one line, then the status: " << said;
    }
    const Result fine = box.cli("describe " EXAMPLE_DOCUMENT);
    EXPECT_EQ(fine.status, 0);
}

// A port the user may not open: the real cause in one line, and the group to join only when
// joining it would help (never root).
TEST(CliEndToEnd, DeviceFailuresSayTheCauseAndTheGroupThatHelps)
{
    EmulatorProcess box("");
    const Result missing = box.cli("clock --device /nonexistent/ttyUSB9");
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(contains(missing.err, "tavorin-cli: /nonexistent/ttyUSB9: No such file or directory\n")) << missing.err;
    if (geteuid() != 0)
        GTEST_SKIP() << "taking another user's part needs root";
    const auto port = std::filesystem::temp_directory_path() / ("tavorin-port-" + std::to_string(getpid()));
    std::ofstream(port.string()) << "";
    struct Case {
        const char *what;
        gid_t group;
        std::filesystem::perms mode;
        const char *said;
    } cases[] = {
        {"root's, 0644", 0, std::filesystem::perms(0644), "no group you could join may write to it"},
        {"root's group may write", 0, std::filesystem::perms(0664), "no group you could join may write to it"},
        {"a group may write", 20, std::filesystem::perms(0664), "the group dialout may use it: join it (sudo usermod -a -G dialout $USER)"},
    };
    for (const Case &c : cases) {
        ASSERT_EQ(chown(port.c_str(), 0, c.group), 0);
        std::filesystem::permissions(port, c.mode);
        const Result denied = box.cli("clock --device " + port.string(), "setpriv --reuid=65534 --regid=65534 --clear-groups env");
        EXPECT_EQ(denied.status, 1) << c.what;
        EXPECT_TRUE(contains(denied.err, port.string() + ": Permission denied\n")) << c.what << ": " << denied.err;
        EXPECT_TRUE(contains(denied.err, c.said)) << c.what << ": " << denied.err;
        EXPECT_FALSE(contains(denied.err, "-G root")) << c.what;
    }
    std::filesystem::remove(port);
}

TEST(CliEndToEnd, SunPrintsTheDaysTimesForTheGivenOrTheZonesPlace)
{
    EmulatorProcess box("");
    const std::string midsummer = "sunrise 04:23 sunset 19:31\n";
    for (const char *place : {"--location 41,-74,-18000", "--location 41,-74,-5:00"})
        EXPECT_EQ(box.cli(std::string("sun --date 2007-06-21 ") + place).out, midsummer) << place;
    EXPECT_EQ(box.cli("sun --date 2007-06-21 --location 41,-74,0").out, "sunrise 09:23 sunset 00:31\n") << "Greenwich's clock";
    // The zone's own offset of the day, not today's: New York in summer is four hours west.
    const Result summer = box.cli("sun --date 2026-07-01", "TZ=America/New_York");
    EXPECT_EQ(summer.out, box.cli("sun --date 2026-07-01 --location 41,-74,-4:00").out);
    EXPECT_EQ(box.cli("schedule " EXAMPLE_DOCUMENT " --from 2040-01-31 --days 7", "TZ=America/New_York").status, 0)
        << "up to 2040-02-06, the last day";
    EXPECT_EQ(box.cli("sun --date 2007-06-21 --location 80,0,0").out, "no sunrise or sunset\n");
    const Result nowhere = box.cli("sun --date 2007-06-21", "TZ=Etc/UTC");
    EXPECT_EQ(nowhere.status, 0);
    EXPECT_TRUE(contains(nowhere.err, "warning: the location is not known")) << nowhere.err;
    EXPECT_EQ(std::count(nowhere.err.begin(), nowhere.err.end(), '\n'), 1) << "one line";
    const Result linked = box.cli("sun --date 2007-06-21", "TZ=US/Eastern");
    EXPECT_EQ(linked.out + linked.err, "sunrise 05:23 sunset 20:31\n") << "a zone named by a link has its place, and June its summer time";
}

// Each failure prints the driver's alert and the command's own, exits 1 and keeps nothing.
TEST(CliEndToEnd, MisbehavingBoxMissingDeviceOrBadDocumentExitOne)
{
    struct Case {
        const char *options, *arguments, *failure;
    } cases[] = {
        {"--silent", "clock", "CP290 Not Responding: There does not appear to be a CP290"},
        {"--silent", "clock", "Getting Clock Failed\n"},
        {"--babble", "clock", "CP290 Not Responding: There does not appear to be a CP290"},
        {"--status 0", "set-clock", "Setting Clock Failed\n"},
        {"--cut-reply", "list", "Getting Events From CP290 Failed\n"},
        {"--fail-after 1", "self-test", "Self Test Failed\n"},
        {"--silent", "base-house A", "Setting Base House Code Failed\n"},
        {"--fail-after 4", "send " EXAMPLE_DOCUMENT, "Sending events failed.\n"},
        {"", "send /nonexistent.cp290", "cannot be opened as a document"},
        {"", "--device /dev/ttyNoSuchCP290 on A1", "Cannot Open Serial Device: "},
    };
    for (const Case &c : cases) {
        EmulatorProcess box(c.options);
        const Result result = box.cli(c.arguments);
        EXPECT_EQ(result.status, 1) << c.arguments;
        EXPECT_TRUE(contains(result.err, c.failure)) << result.err;
        EXPECT_EQ(result.out + box.settings(), "") << c.arguments;
    }
}

// A hostile document is refused with its reason, in well under a second of processor time and a
// hundred megabytes of memory, however deep it nests or however often it repeats itself.
TEST(CliEndToEnd, HostileDocumentsAreRefusedQuicklyInLittleMemory)
{
    struct Case {
        const char *what;
        std::string bytes;
        const char *reason;
    } cases[] = {
        {"XML 200,000 deep", nestedXml(200000), "nests deeper than a document does"},
        {"XML 1,000,000 deep", nestedXml(1000000), "nests deeper than a document does"},
        {"2,000 numbers for one array", aliasedArrays(2000, 500), "gives two of its objects one place"},
        {"a 1 MB string named 3,000 times", sharedString(1 << 20, 3000), "repeats its objects far beyond its own size"},
    };
    const auto file = std::filesystem::temp_directory_path() / ("tavorin-hostile-" + std::to_string(getpid()));
    for (const Case &c : cases) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << c.bytes;
        const pid_t cli = fork();
        if (cli == 0) {
            const int quiet = open("/dev/null", O_WRONLY);
            const int err = open((file.string() + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(quiet, STDOUT_FILENO);
            dup2(err, STDERR_FILENO);
            execl(TAVORIN_CLI_PATH, "tavorin-cli", "describe", file.c_str(), static_cast<char *>(nullptr));
            _exit(127);
        }
        int status = 0;
        rusage usage {};
        ASSERT_EQ(wait4(cli, &status, 0, &usage), cli);
        const double seconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
            + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << c.what << ": status " << status;
        EXPECT_TRUE(contains(slurp(file.string() + ".err"), c.reason)) << c.what << ": " << slurp(file.string() + ".err");
        EXPECT_LT(usage.ru_maxrss, 100 * 1024) << c.what << ": kilobytes at the peak";
        EXPECT_LT(seconds, 1.0) << c.what;
    }
    std::filesystem::remove(file);
    std::filesystem::remove(file.string() + ".err");
}

// Only a download to the remembered device, or one asked to be kept, becomes what the helper
// sends again after midnight.
TEST(CliEndToEnd, DownloadIsKeptForTheHelperOnlyForTheRememberedDevice)
{
    EmulatorProcess other("");
    const Result kept = other.cli("send " EXAMPLE_DOCUMENT " --remember");
    ASSERT_EQ(kept.status, 0);
    EXPECT_TRUE(contains(other.settings(), "Modules=\"")) << other.settings();
    EXPECT_TRUE(contains(other.settings(), "EventRepeat=\"AQE=\"")) << other.settings();
    EXPECT_TRUE(contains(kept.err, "cannot be remembered as the serial device")) << "a pseudo-terminal has no tty name";

    EmulatorProcess remembered("");
    remembered.rememberAsTheSerialDevice();
    ASSERT_EQ(remembered.cli("send " EXAMPLE_DOCUMENT).status, 0) << "sent to the remembered device by its own path";
    EXPECT_TRUE(contains(remembered.settings(), "Modules=\"")) << remembered.settings();
}

// The scenarios read what the application saved with `describe`; here, `parse` writing a change.
TEST(CliEndToEnd, ParseWritesTheChangeAndDescribeShowsIt)
{
    EmulatorProcess box("");
    const auto copy = std::filesystem::temp_directory_path() / ("tavorin-parse-" + std::to_string(getpid()) + ".cp290");
    std::filesystem::copy_file(EXAMPLE_DOCUMENT, copy, std::filesystem::copy_options::overwrite_existing);
    const Result parsed = box.cli("parse " + copy.string() + " 1 2 'on 50% @ 11:45 pm On S.....S' --write");
    EXPECT_EQ(parsed.out, "Turn On 50.0% @ 11:45 PM On S.....S\n") << parsed.err;
    EXPECT_TRUE(contains(box.cli("describe " + copy.string()).out, "\tTurn On 50.0% @ 11:45 PM On S.....S\n"));
    EXPECT_EQ(box.cli("parse " + copy.string() + " 1 3 on").status, 1) << "no third event";
    std::filesystem::remove(copy);
}

// --json gives what the text gives, as fields; `devices` shows the ports the menu would offer.
TEST(CliEndToEnd, JsonAndDevicesSayWhatTheTextSays)
{
    EmulatorProcess box("");
    const auto json = [&box](const std::string &arguments) {
        const Result result = box.cli(arguments + " --json");
        QJsonParseError error {};
        const QJsonObject document = QJsonDocument::fromJson(QByteArray::fromStdString(result.out), &error).object();
        EXPECT_EQ(error.error, QJsonParseError::NoError) << arguments << ": " << result.out << result.err;
        return document;
    };
    const QJsonArray records = json("plan " EXAMPLE_DOCUMENT " --now \"2026-12-21 12:00\" --location 41,-74,-18000 --repeat 2,1")["records"].toArray();
    ASSERT_GE(records.size(), 2);
    EXPECT_EQ(records[0].toObject(), jsonOf(R"({"number": 0, "house": "A", "units": [], "function": "all modules off",
        "brightness": 0, "mode": "normal", "days": ["Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"], "hour": 1, "minute": 0,
        "bytes": "00 00 08 7f 01 00 00 00 60 00"})"));
    EXPECT_EQ(records[1].toObject(), jsonOf(R"({"number": 1, "house": "C", "units": [4], "function": "off", "brightness": 0,
        "mode": "tomorrow", "days": [], "hour": 23, "minute": 15, "bytes": "08 00 02 00 17 0f 10 00 20 03"})"));
    EXPECT_EQ(json("sun --date 2007-06-21 --location 41,-74,-5:00"),
              jsonOf(R"({"date": "2007-06-21", "sunrise": "04:23", "sunset": "19:31"})"));
    EXPECT_TRUE(json("sun --date 2007-06-21 --location 80,0,0")["sunrise"].isNull());
    EXPECT_EQ(box.transcript(), "") << "plan touches no device";

    ASSERT_EQ(box.cli("send " EXAMPLE_DOCUMENT).status, 0);
    EXPECT_FALSE(contains(box.settings(), "Modules=")) << "a device named by hand is not the one the helper sends to";
    const Result listed = box.cli("list");
    const QJsonArray stored = json("list")["records"].toArray();
    EXPECT_EQ(stored.size(), std::count(listed.out.begin(), listed.out.end(), '\n') - 2) << listed.out;
    int previous = -1;
    for (const auto record : stored) {
        const int minuteOfDay = record.toObject()["hour"].toInt() * 60 + record.toObject()["minute"].toInt();
        EXPECT_GE(minuteOfDay, previous) << "in the listing's order";
        previous = minuteOfDay;
    }
    const QJsonObject clock = json("clock");
    EXPECT_TRUE(clock["hour"].isDouble() && clock["minute"].isDouble());

    box.rememberAsTheSerialDevice();
    EXPECT_TRUE(contains(box.cli("devices").out, "CP290\t" + box.linkPath() + "\twritable\tremembered\n"));
    const QJsonArray ports = json("devices")["devices"].toArray();
    const auto emulator = std::find_if(ports.begin(), ports.end(), [](const QJsonValue &port) { return port["name"] == "CP290"; });
    ASSERT_NE(emulator, ports.end());
    EXPECT_EQ(emulator->toObject(), jsonOf(R"({"name": "CP290", "path": ")" + box.linkPath() + R"(", "tty": ")" + box.linkPath()
                                              + R"(", "stable": false, "adapter": null, "writable": true, "remembered": true})"));
}

// Each day of the schedule is what a download made a minute past that midnight would send.
TEST(CliEndToEnd, ScheduleAgreesWithPlanAtAMinutePastEachMidnight)
{
    EmulatorProcess box("");
    const std::string place = " --location 41,-74,-5:00 --repeat 2,1 --json";
    const QJsonArray days = jsonOf(box.cli("schedule " EXAMPLE_DOCUMENT " --from 2026-12-19 --days 7" + place).out)["days"].toArray();
    ASSERT_EQ(days.size(), 7);
    QSet<QString> modes;
    for (int index = 0; index < 7; ++index) {
        const QJsonObject day = days[index].toObject();
        const std::string date = "2026-12-" + std::to_string(19 + index);
        EXPECT_EQ(day["date"].toString().toStdString(), date);
        const QJsonArray expected = jsonOf(box.cli("plan " EXAMPLE_DOCUMENT " --now \"" + date + " 00:01\"" + place).out)["records"].toArray();
        EXPECT_EQ(day["records"].toArray(), expected) << date;
        for (const auto record : expected)
            modes.insert(record.toObject()["mode"].toString());
    }
    EXPECT_EQ(modes, (QSet<QString> {"normal", "today", "tomorrow"})) << "dated, even-day and repeating events among them";

    const Result words = box.cli("schedule " EXAMPLE_DOCUMENT " --from 2026-12-20 --days 1 --location 41,-74,-5:00");
    EXPECT_EQ(words.out.substr(0, 48), "Sun 2026-12-20  sunrise 07:16  sunset 16:30  11 ") << words.out;
    EXPECT_TRUE(contains(words.out, "\nB-5  Turn On @ 8:00 AM    Today\n")) << words.out;
}

// A day whose download sends nothing keeps the records of the last download that sent some: the
// schedule says so, and send says the CP290 keeps its events and succeeds.
TEST(CliEndToEnd, DaysThatSendNothingKeepTheLastRecords)
{
    EmulatorProcess box("");
    const auto path = std::filesystem::temp_directory_path() / ("tavorin-even-" + std::to_string(getpid()) + ".cp290");
    Event future = clockEvent(EventOn | EventOnDate, 7, 0);
    future.Date = secondsAt(2039, 1, 1);
    DocumentFileContent even;
    even.modules = {module(1, 2, {clockEvent(EventOn | EventEvenDays, 7, 0)}), module(1, 3, {future})};
    std::string error;
    ASSERT_TRUE(writeDocumentFile(path, even, &error)) << error;

    const std::string schedule = "schedule " + path.string() + " --from 2026-12-07 --days 3 --location 41,-74,-5:00";
    const Result words = box.cli(schedule);
    EXPECT_TRUE(contains(words.out, "Mon 2026-12-07  sunrise 07:07  sunset 16:27  0 of 128 records,\n"
                                    "  nothing sent: the CP290 keeps the events it already has\n\n")) << words.out;
    EXPECT_TRUE(contains(words.out, "Wed 2026-12-09  sunrise 07:09  sunset 16:27  1 of 128 records,\n"
                                    "  kept from the download of Tue 2026-12-08\nB-2  Turn On @ 7:00 AM    Today\n")) << words.out;
    const QJsonArray days = jsonOf(box.cli(schedule + " --json").out)["days"].toArray();
    ASSERT_EQ(days.size(), 3);
    EXPECT_EQ(days[0].toObject()["kept"], true);
    EXPECT_TRUE(days[0].toObject()["keptFrom"].isNull());
    EXPECT_EQ(days[1].toObject()["kept"], false);
    EXPECT_EQ(days[2].toObject()["keptFrom"], "2026-12-08");
    EXPECT_EQ(days[2].toObject()["records"], days[1].toObject()["records"]);

    even.modules.erase(even.modules.begin());
    ASSERT_TRUE(writeDocumentFile(path, even, &error)) << error;
    const Result sent = box.cli("send " + path.string());
    EXPECT_EQ(sent.status, 0);
    EXPECT_EQ(sent.out, "There are no events to send today; the CP290 keeps the events it has.\n");
    EXPECT_EQ(box.transcript(), "") << "nothing went to the CP290";
    std::filesystem::remove(path);
}

// Whatever a name or a description holds, what --json prints is JSON that reads back to it: quotes,
// backslashes, every control character, and text beyond ASCII.
TEST(JsonText, EveryCharacterClassReadsBack)
{
    std::string controls;
    for (char c = 1; c < 0x20; ++c)
        controls += c;
    for (const std::string &text : {std::string("Porch \"Light\""), std::string("C:\\lamps\\"), controls,
                                    std::string("Caf\xC3\xA9 \xF0\x9F\x92\xA1 \xE2\x82\xAC"), std::string("/ <&> \x7F"), std::string()}) {
        const std::string document = jsonObject({{"name", jsonString(text)}, {"names", jsonStrings({text, text})}});
        QJsonParseError error {};
        const QJsonObject read = QJsonDocument::fromJson(QByteArray::fromStdString(document), &error).object();
        EXPECT_EQ(error.error, QJsonParseError::NoError) << document;
        EXPECT_EQ(read["name"].toString().toStdString(), text);
        EXPECT_EQ(read["names"].toArray().at(1).toString().toStdString(), text);
    }
}
