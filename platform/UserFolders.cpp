#include "platform/UserFolders.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace {

std::string homeFolder()
{
    if (const char *home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd *entry = getpwuid(getuid()))
        return entry->pw_dir;
    return "/";
}

std::string xdgFolder(const char *variable, const char *fallbackBelowHome)
{
    if (const char *folder = std::getenv(variable); folder && *folder == '/')
        return folder;
    return homeFolder() + fallbackBelowHome;
}

}  // namespace

std::string userLibraryFolder()
{
    return xdgFolder("XDG_DATA_HOME", "/.local/share");
}

std::string userConfigFolder()
{
    return xdgFolder("XDG_CONFIG_HOME", "/.config");
}

bool makeFolders(const std::string &path)
{
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return std::filesystem::is_directory(path, error);
}
