#include "platform/HelperBundle.h"

#include "platform/FileContents.h"
#include "platform/UserDefaultsFile.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

std::string helperExecutable(const std::string &bundlePath)
{
    return bundlePath + "/Contents/bin/" + HelperProgramName;
}

bool copyBundle(const std::string &resource, const std::string &installed)
{
    std::error_code error;
    fs::remove_all(installed, error);
    fs::create_directories(fs::path(installed).parent_path(), error);
    fs::copy(resource, installed, fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
    return !error;
}

namespace {

constexpr char InstallingApplicationKey[] = "Application";

// Every regular file and link under `folder`, by its path within it.
std::vector<fs::path> filesUnder(const fs::path &folder)
{
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::recursive_directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error))
        if (!entry->is_directory(error))
            files.push_back(fs::relative(entry->path(), folder, error));
    std::sort(files.begin(), files.end());
    return files;
}

bool sameBundles(const fs::path &one, const fs::path &other)
{
    const std::vector<fs::path> files = filesUnder(one);
    if (files != filesUnder(other))
        return false;
    return std::all_of(files.begin(), files.end(), [&](const fs::path &file) {
        const auto mine = readFileContents((one / file).string());
        return mine && mine == readFileContents((other / file).string());
    });
}

}  // namespace

HelperCopyStep helperCopyStep(const std::string &resource, const std::string &installed)
{
    std::error_code error;
    if (!fs::is_directory(resource, error))
        return HelperCopyStep::None;
    if (!fs::exists(fs::symlink_status(installed, error)))
        return HelperCopyStep::Install;
    return sameBundles(resource, installed) ? HelperCopyStep::Keep : HelperCopyStep::Replace;
}

bool recordInstallingApplication(const std::string &program)
{
    return writeApplicationDefaults({{InstallingApplicationKey, program}}, HelperDomain);
}

bool installingApplicationIsGone()
{
    const auto program = readApplicationDefault(InstallingApplicationKey, HelperDomain);
    std::error_code error;
    return program && !program->empty() && !fs::exists(*program, error) && !error;
}
