#include "document/DocumentFile.h"
#include "document/EventDownload.h"
#include "driver/DeviceOperations.h"
#include "driver/CommandExchange.h"
#include "driver/TimerDownload.h"
#include "document/ModulePropertyList.h"
#include "platform/FileContents.h"
#include "tests/support/Events.h"

#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::filesystem::path scratchFile(const std::string &name)
{
    const auto folder = std::filesystem::temp_directory_path() / ("tavorin-doc-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    return folder / name;
}

DocumentFileContent sampleContent()
{
    Event odd;
    odd.Date = 0x89ABCDEF;
    odd.Time = 0x01020304;
    odd.Adjust = 0xFFFFFFFF;
    odd.Brightness = 0x1234;
    odd.Repeat = 0xFFFE;
    odd.Flags = 0x7F20;
    odd.padding[0] = 0xA5;
    odd.padding[1] = 0x5A;
    DocumentFileContent content;
    content.modules = {module(0, 1, {clockEvent(EventOn | EventAllDays, 19, 5), odd}),
                       module(15, 18, {}, ModuleTypeNone)};
    content.modules[0].name = "Porch \"Light\" & <Lamp> é";
    content.modules[0].expanded = true;
    content.drawerOpen = true;
    content.selectedRows = {40000, 2};  // rows of a large outline need more than 16 bits
    content.eventRepeat = {3, 2};
    return content;
}

}  // namespace

TEST(DocumentFile, RoundTripKeepsEveryByteOfEveryEventInEitherForm)
{
    const auto path = scratchFile("round.cp290");
    const DocumentFileContent content = sampleContent();
    std::string error;
    ASSERT_TRUE(writeDocumentFile(path, content, &error)) << error;
    const DocumentReadResult read = readDocumentFile(path);
    ASSERT_TRUE(read.content) << read.error;
    EXPECT_EQ(*read.content, content);
    std::filesystem::remove_all(path.parent_path());
    const DocumentReadResult binary = readDocumentBytes(propertyListBinary(parsePropertyList(documentXml(content)).get()));
    ASSERT_TRUE(binary.content) << "a binary property list opens too: " << binary.error;
    EXPECT_EQ(*binary.content, content);
}

TEST(DocumentFile, FileInTheOriginalFormOpens)
{
    // As the original application wrote it: sorted keys, tabs, data in base64 lines. The one event
    // is BE 5A 8B 00, 00 00 00 00, 00 00 03 84, 00 09, 00 00, FF 10, 00 00: on at sunset plus 900 s.
    const std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE plist PUBLIC \"-//Apple Computer//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
        "<plist version=\"1.0\">\n<dict>\n"
        "\t<key>DrawerOpen</key>\n\t<false/>\n"
        "\t<key>EventRepeat</key>\n\t<data>\n\tAgE=\n\t</data>\n"
        "\t<key>Modules</key>\n\t<array>\n\t\t<dict>\n"
        "\t\t\t<key>#</key>\n\t\t\t<integer>7</integer>\n"
        "\t\t\t<key>C</key>\n\t\t\t<integer>3</integer>\n"
        "\t\t\t<key>Events</key>\n\t\t\t<array>\n\t\t\t\t<data>\n\t\t\t\tvlqLAAAAAAAAAAOEAAkAAP8QAAA=\n\t\t\t\t</data>\n\t\t\t</array>\n"
        "\t\t\t<key>N</key>\n\t\t\t<string>Porch</string>\n"
        "\t\t\t<key>T</key>\n\t\t\t<integer>1</integer>\n"
        "\t\t\t<key>X</key>\n\t\t\t<true/>\n"
        "\t\t</dict>\n\t</array>\n"
        "\t<key>SelectedRows</key>\n\t<array>\n\t\t<integer>1</integer>\n\t</array>\n"
        "</dict>\n</plist>\n";
    const DocumentReadResult read = readDocumentBytes(xml);
    ASSERT_TRUE(read.content) << read.error;
    Event porchOnAtSunset;
    porchOnAtSunset.Date = 0xBE5A8B00u;
    porchOnAtSunset.Adjust = 900;
    porchOnAtSunset.Brightness = 9;
    porchOnAtSunset.Flags = EventOn | EventAllDays | EventSunset;
    DocumentFileContent expected;
    expected.modules = {module(3, 7, {porchOnAtSunset})};
    expected.modules[0].name = "Porch";
    expected.modules[0].expanded = true;
    expected.eventRepeat = {2, 1};
    expected.selectedRows = {1};
    EXPECT_EQ(*read.content, expected);
}

TEST(DocumentFile, MalformedFilesAreRefusedWithTheReason)
{
    const std::string good = documentXml(sampleContent());
    const auto replaced = [&good](const std::string &from, const std::string &to) {
        std::string text = good;
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    struct Case {
        std::string bytes;
        std::string reason;
    } cases[] = {
        {"", "not a property list"},
        {"hello, world", "not a property list"},
        {good.substr(0, good.size() / 2), "not a property list"},
        {"<?xml version=\"1.0\"?><plist version=\"1.0\"><array/></plist>", "not a property-list dictionary"},
        {replaced("<key>EventRepeat</key>", "<key>Repeat</key>"), "\"EventRepeat\" is missing"},
        {replaced("<key>DrawerOpen</key>\n\t<true/>", "<key>DrawerOpen</key>\n\t<string>yes</string>"), "\"DrawerOpen\" is not a boolean"},
        {replaced("<integer>15</integer>", "<integer>16</integer>"), "module 2: \"C\" is 16, not 0 to 15"},
        {replaced("<integer>18</integer>", "<string>18</string>"), "module 2: \"#\" is not an integer"},
        {replaced("<key>N</key>\n\t\t\t<string>Porch", "<key>Name</key>\n\t\t\t<string>Porch"), "module 1: \"N\" is missing"},
        {replaced("<data>\n\t\t\t\t", "<data>\n\t\t\t\tAAAA"), "module 1: \"Events\" item 1 is 23 bytes, not 20"},
        {replaced("<key>EventRepeat</key>\n\t<data>\n\tAwI=", "<key>EventRepeat</key>\n\t<data>\n\tAw=="), "fewer than two bytes"},
        {replaced("<integer>40000</integer>", "<string>40000</string>"), "\"SelectedRows\" holds something other than row numbers"},
    };
    for (const Case &c : cases) {
        const DocumentReadResult read = readDocumentBytes(c.bytes);
        EXPECT_FALSE(read.content) << c.reason;
        EXPECT_NE(read.error.find(c.reason), std::string::npos) << read.error << " / expected: " << c.reason;
    }
}

TEST(DocumentFile, MissingFileIsRefusedAndAFailedWriteLeavesTheOldFile)
{
    EXPECT_NE(readDocumentFile("/nonexistent/house.cp290").error.find("cannot be opened"), std::string::npos);

    const auto path = scratchFile("kept.cp290");
    std::string error;
    ASSERT_TRUE(writeDocumentFile(path, sampleContent(), &error));
    chmod(path.c_str(), 0640);
    DocumentFileContent changed = sampleContent();
    changed.modules.pop_back();
    ASSERT_TRUE(writeDocumentFile(path, changed, &error));
    EXPECT_EQ((std::filesystem::status(path).permissions() & std::filesystem::perms::all),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write | std::filesystem::perms::group_read);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(path.parent_path()), {}), 1) << "no temporary left";

    EXPECT_FALSE(writeDocumentFile("/nonexistent/house.cp290", changed, &error));
    EXPECT_FALSE(error.empty());

    // A save whose last step fails leaves what was there and no temporary beside it.
    const auto occupied = path.parent_path() / "occupied.cp290";
    std::filesystem::create_directory(occupied);
    std::ofstream(occupied / "inside").put('x');
    EXPECT_FALSE(writeDocumentFile(occupied, changed, &error));
    EXPECT_TRUE(std::filesystem::is_directory(occupied));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(path.parent_path()), {}), 2) << "no temporary left";
    std::filesystem::remove_all(path.parent_path());
}

// Saving through a link replaces the file the link names, in that file's folder; the link stays a
// link, and the file keeps its mode and, where the process may set it, its owner.
TEST(DocumentFile, SavingThroughALinkReplacesItsTarget)
{
    namespace fs = std::filesystem;
    const fs::path folder = scratchFile("links").parent_path() / "links";
    fs::create_directories(folder / "real");
    fs::create_directories(folder / "elsewhere");
    const fs::path real = folder / "real" / "house.cp290";
    std::string error;
    ASSERT_TRUE(writeDocumentFile(real, sampleContent(), &error)) << error;
    chmod(real.c_str(), 0604);
    const bool root = geteuid() == 0;
    ASSERT_TRUE(!root || chown(real.c_str(), 65534, 65534) == 0);
    fs::create_symlink("../real/house.cp290", folder / "elsewhere" / "relative.cp290");
    fs::create_symlink(folder / "elsewhere" / "relative.cp290", folder / "chained.cp290");

    DocumentFileContent changed = sampleContent();
    changed.modules.pop_back();
    for (const fs::path &link : {folder / "elsewhere" / "relative.cp290", folder / "chained.cp290"}) {
        changed.eventRepeat.OnRepeat++;
        ASSERT_TRUE(writeDocumentFile(link, changed, &error)) << error;
        EXPECT_TRUE(fs::is_symlink(link)) << link;
        const DocumentReadResult read = readDocumentFile(real);
        ASSERT_TRUE(read.content);
        EXPECT_EQ(*read.content, changed) << "the target holds what was saved through " << link;
        struct stat saved {};
        ASSERT_EQ(stat(real.c_str(), &saved), 0);
        EXPECT_EQ(saved.st_mode & 07777, 0604u);
        EXPECT_TRUE(!root || saved.st_uid == 65534u) << "another user's file stays that user's";
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "real"), {}), 1) << "no temporary left";
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "elsewhere"), {}), 1);

    fs::create_symlink("not-yet.cp290", folder / "dangling.cp290");
    ASSERT_TRUE(writeDocumentFile(folder / "dangling.cp290", changed, &error)) << error;
    EXPECT_TRUE(fs::is_symlink(folder / "dangling.cp290"));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder / "not-yet.cp290")));

    fs::create_symlink("loop-b", folder / "loop-a");
    fs::create_symlink("loop-a", folder / "loop-b");
    EXPECT_FALSE(writeDocumentFile(folder / "loop-a", changed, &error));
    EXPECT_FALSE(error.empty());
    fs::remove_all(folder);
}

TEST(DocumentFile, NamesThatAreNotTextAreRepairedAndTheRepairIsSaid)
{
    struct Case {
        std::string name, valid;
    } cases[] = {
        {"Fa\xA1", "Fa\xEF\xBF\xBD"},                    // a Latin-1 byte in a UTF-8 file
        {"Caf\xC3\xA9", "Caf\xC3\xA9"},                  // é
        {"Bulb \xF0\x9F\x92\xA1", "Bulb \xF0\x9F\x92\xA1"},  // four bytes
        {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},        // an overlong slash
        {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // a surrogate
        {"Cut \xE2\x82", "Cut \xEF\xBF\xBD"},            // a sequence cut short
        {"Bell\x07", "Bell\xEF\xBF\xBD"},                // a control character XML cannot hold
        {"Tab\tand\nline", "Tab\tand\nline"},
        {"Odd \xEF\xBF\xBE\xEF\xBF\xBF", "Odd \xEF\xBF\xBD\xEF\xBF\xBD"},  // U+FFFE and U+FFFF: no XML reader takes them
        {"Last \xEF\xBF\xBD\xEF\xBF\xBC", "Last \xEF\xBF\xBD\xEF\xBF\xBC"},  // U+FFFD and U+FFFC are text
    };
    for (const Case &c : cases) {
        EXPECT_EQ(validNameText(c.name), c.valid) << c.name;
        DocumentFileContent content = sampleContent();
        content.modules[1].name = c.name;
        const std::string xml = documentXml(content);
        const DocumentReadResult read = readDocumentBytes(xml);
        ASSERT_TRUE(read.content) << read.error;
        EXPECT_EQ(read.content->modules[1].name, c.valid);
        EXPECT_EQ(read.namesRepaired, c.name != c.valid) << c.name;
        const DocumentReadResult again = readDocumentBytes(documentXml(*read.content));
        ASSERT_TRUE(again.content) << "what a repaired document writes reads back: " << again.error;
        EXPECT_FALSE(again.namesRepaired);
        const std::string written = documentXml(*read.content);
        EXPECT_EQ(validNameText(written), written) << "only characters any XML reader takes: " << c.name;
    }
}

// A save killed between naming its temporary and renaming it leaves that temporary: the next save
// of the file takes it away, once it is over a minute old (a save under way is never so old).
TEST(DocumentFile, ASaveTakesAwayTheTemporariesOfKilledSaves)
{
    namespace fs = std::filesystem;
    const fs::path path = scratchFile("killed").parent_path() / "killed" / "house.cp290";
    fs::create_directories(path.parent_path());
    const fs::path stale = path.parent_path() / ".house.cp290.tavorin-save-k1LLed";
    const fs::path fresh = path.parent_path() / ".house.cp290.tavorin-save-underw";
    const fs::path unrelated = path.parent_path() / ".other.cp290.tavorin-save-k1LLed";
    for (const fs::path &file : {stale, fresh, unrelated})
        std::ofstream(file) << "half a document";
    const timespec longAgo[2] = {{0, UTIME_OMIT}, {time(nullptr) - 120, 0}};
    utimensat(AT_FDCWD, stale.c_str(), longAgo, 0);
    utimensat(AT_FDCWD, unrelated.c_str(), longAgo, 0);

    std::string error;
    ASSERT_TRUE(writeDocumentFile(path, sampleContent(), &error)) << error;
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(fresh)) << "a save under way elsewhere keeps its file";
    EXPECT_TRUE(fs::exists(unrelated)) << "another document's temporaries are its own saves' business";
    EXPECT_EQ(std::distance(fs::directory_iterator(path.parent_path()), {}), 3);
    fs::remove_all(path.parent_path());
}

// What is not a document file is refused at once with its reason, never waited on or read whole:
// a pipe nobody writes to, a pipe held open by a writer, an endless device, a folder, a file over
// the largest size; a file whose size its file system does not tell is cut off at the limit too.
TEST(DocumentFile, PipesDevicesAndHugeFilesAreRefusedWithoutWaitingOnThem)
{
    namespace fs = std::filesystem;
    const fs::path folder = scratchFile("odd").parent_path() / "odd";
    fs::create_directories(folder);
    const fs::path pipe = folder / "pipe.cp290";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const fs::path huge = folder / "huge.cp290";
    std::ofstream(huge) << documentXml(sampleContent());
    fs::resize_file(huge, MaximumDocumentBytes + 1);  // sparse: nothing is written
    const fs::path justUnder = folder / "under.cp290";
    std::ofstream(justUnder) << documentXml(sampleContent());
    fs::resize_file(justUnder, MaximumDocumentBytes);

    const auto refusal = [](const fs::path &path) { return readDocumentFile(path).error; };
    EXPECT_NE(refusal(pipe).find("cannot be opened: Not a file but a pipe"), std::string::npos) << refusal(pipe);
    const int writer = open(pipe.c_str(), O_RDWR | O_NONBLOCK);  // a writer that never writes
    EXPECT_NE(refusal(pipe).find("Not a file but a pipe"), std::string::npos) << refusal(pipe);
    close(writer);
    EXPECT_NE(refusal("/dev/zero").find("Not a file but a pipe, a socket or a device"), std::string::npos);
    EXPECT_NE(refusal(folder).find("Is a directory"), std::string::npos) << refusal(folder);
    EXPECT_NE(refusal(huge).find("cannot be opened: Larger than 64 MB"), std::string::npos) << refusal(huge);
    EXPECT_EQ(refusal(justUnder).find("cannot be opened"), std::string::npos) << "a file of exactly the largest size is read";

    std::string error;
    EXPECT_FALSE(readFileContents("/proc/self/status", &error, 16));
    EXPECT_EQ(error, "Larger than 16 bytes");
    EXPECT_TRUE(readFileContents("/proc/self/status", &error, 1 << 20));
    fs::remove_all(folder);
}
