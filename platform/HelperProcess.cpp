#include "platform/HelperProcess.h"

#include "platform/FileContents.h"
#include "platform/UserDefaultsFile.h"

#include <csignal>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::optional<pid_t> processNumber(const std::string &text)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const long number = std::stol(text);
    return number > 1 ? std::optional<pid_t>(static_cast<pid_t>(number)) : std::nullopt;
}

// A program's file name as the system shows it: a replaced or removed program's link ends in
// " (deleted)", and a helper whose package went away is still the helper.
std::string programName(const fs::path &link)
{
    std::error_code error;
    std::string target = fs::read_symlink(link, error).filename().string();
    constexpr std::string_view Deleted = " (deleted)";
    if (target.size() > Deleted.size() && target.compare(target.size() - Deleted.size(), Deleted.size(), Deleted) == 0)
        target.resize(target.size() - Deleted.size());
    return error ? std::string() : target;
}

std::string firstWordName(const fs::path &cmdline)
{
    const std::string line = readFileContents(cmdline).value_or("");
    return fs::path(line.substr(0, line.find('\0'))).filename().string();
}

}  // namespace

std::optional<pid_t> trustedHelperProcess(const std::string &recorded, const std::string &proc)
{
    const auto pid = processNumber(recorded);
    if (!pid)
        return std::nullopt;
    const fs::path process = fs::path(proc) / std::to_string(*pid);
    struct stat status {};
    if (stat(process.c_str(), &status) != 0 || status.st_uid != getuid())
        return std::nullopt;
    const std::string program = programName(process / "exe");
    const bool isHelper = program.empty() ? firstWordName(process / "cmdline") == HelperProgramName
                                          : program == HelperProgramName;
    return isHelper ? pid : std::nullopt;
}

namespace {

void clearRecord()
{
    writeApplicationDefaults({{"Process ID", ""}}, HelperDomain);
}

}  // namespace

std::optional<pid_t> recordedHelperProcess()
{
    const std::string recorded = readApplicationDefault("Process ID", HelperDomain).value_or("");
    if (recorded.empty())
        return std::nullopt;
    const auto pid = trustedHelperProcess(recorded);
    if (!pid)
        clearRecord();
    return pid;
}

bool stopHelperProcess(pid_t helper)
{
    if (helper > 1 && kill(helper, SIGTERM) == 0)
        return true;
    clearRecord();
    return false;
}

bool stopRecordedHelper()
{
    const auto pid = recordedHelperProcess();
    return pid && stopHelperProcess(*pid);
}

bool stopRecordedHelperAndWait(int milliseconds)
{
    const auto pid = recordedHelperProcess();
    if (!pid || !stopHelperProcess(*pid))
        return true;
    const auto gone = [&pid] {
        if (kill(*pid, 0) != 0)
            return true;
        const std::string stat = readFileContents("/proc/" + std::to_string(*pid) + "/stat").value_or("");
        const std::size_t close = stat.rfind(')');
        return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] == 'Z';
    };
    for (int waited = 0; waited < milliseconds; waited += 20) {
        if (gone())
            return true;
        usleep(20 * 1000);
    }
    return gone();
}
