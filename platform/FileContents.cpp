#include "platform/FileContents.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <ctime>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool failed(std::string *error, int code)
{
    if (error)
        *error = std::strerror(code);
    return false;
}

// The file a path finally names, following symbolic links (a dangling one names the file it
// would create). Empty, with errno set, when the links go round or cannot be read.
std::string linkTarget(const std::string &path)
{
    std::filesystem::path current = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat status {};
        if (lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return current.string();
        char target[PATH_MAX];
        const ssize_t length = readlink(current.c_str(), target, sizeof target - 1);
        if (length < 0)
            return {};
        const std::filesystem::path next(std::string(target, static_cast<std::size_t>(length)));
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    errno = ELOOP;
    return {};
}

bool writeAll(int fd, const std::string &bytes)
{
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

void syncFolder(const std::filesystem::path &folder)
{
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd != -1) {
        fsync(fd);
        close(fd);
    }
}

// A save's temporary file beside its target: hidden, named after the target and marked as ours,
// followed by six characters of its own.
std::string temporaryNameBeside(const std::string &target)
{
    const std::filesystem::path path(target);
    return (path.parent_path() / ("." + path.filename().string() + ".tavorin-save-")).string();
}

// Gives the unnamed file open as `fd` a temporary name beside the target.
bool nameAnonymousFile(int fd, const std::string &target, std::string *name)
{
    static const char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937 chance(std::random_device {}());
    const std::string anonymous = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        *name = temporaryNameBeside(target);
        for (int letter = 0; letter < 6; ++letter)
            *name += Letters[chance() % (sizeof Letters - 1)];
        if (linkat(AT_FDCWD, anonymous.c_str(), AT_FDCWD, name->c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST)
            break;
    }
    name->clear();
    return false;
}

// The temporaries of saves of this target that were killed between naming their file and
// renaming it, and so are over a minute old: a save under way is never older than that.
void removeStaleTemporaries(const std::string &target)
{
    constexpr time_t StaleSeconds = 60;
    const std::string prefix = std::filesystem::path(temporaryNameBeside(target)).filename().string();
    const std::filesystem::path folder = std::filesystem::path(target).parent_path();
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(folder.empty() ? "." : folder, error)) {
        const std::string name = entry.path().filename().string();
        struct stat status {};
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0
            || lstat(entry.path().c_str(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != getuid()
            || time(nullptr) - status.st_mtime < StaleSeconds)
            continue;
        unlink(entry.path().c_str());
    }
}

std::string tooLong(std::size_t limit)
{
    constexpr std::size_t Megabyte = 1024 * 1024;
    if (limit >= Megabyte && limit % Megabyte == 0)
        return "Larger than " + std::to_string(limit / Megabyte) + " MB";
    return "Larger than " + std::to_string(limit) + " bytes";
}

// Why an open file is not to be read: empty when it is a regular file within the limit.
std::string unreadableBecause(int fd, std::size_t limit)
{
    struct stat status {};
    if (fstat(fd, &status) != 0)
        return std::strerror(errno);
    if (S_ISDIR(status.st_mode))
        return std::strerror(EISDIR);
    if (!S_ISREG(status.st_mode))
        return "Not a file but a pipe, a socket or a device";
    if (static_cast<std::uintmax_t>(status.st_size) > limit)
        return tooLong(limit);
    return {};
}

}  // namespace

std::optional<std::string> readFileContents(const std::string &path, std::string *error, std::size_t limit)
{
    // Opened without waiting, so that a pipe with no writer is refused rather than waited on.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd == -1) {
        failed(error, errno);
        return std::nullopt;
    }
    const auto refuse = [&](const std::string &reason) -> std::optional<std::string> {
        close(fd);
        if (error)
            *error = reason;
        return std::nullopt;
    };
    if (const std::string reason = unreadableBecause(fd, limit); !reason.empty())
        return refuse(reason);
    std::string contents;
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return refuse(std::strerror(errno));
        if (got == 0)
            break;
        // A file that grows while it is read, or one whose size its file system does not tell.
        if (static_cast<std::size_t>(got) > limit - contents.size())
            return refuse(tooLong(limit));
        contents.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return contents;
}

bool replaceFileContents(const std::string &path, const std::string &bytes, std::string *error)
{
    const std::string target = linkTarget(path);
    if (target.empty())
        return failed(error, errno);
    const std::filesystem::path folder = std::filesystem::path(target).parent_path();
    removeStaleTemporaries(target);

    // Written without a name where the file system allows, so that a save killed half way leaves
    // nothing behind; named only for the instant before it replaces the target.
    std::string temporary;
    int fd = open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    const bool anonymous = fd != -1;
    if (!anonymous) {
        temporary = temporaryNameBeside(target) + "XXXXXX";
        fd = mkstemp(temporary.data());
        if (fd == -1)
            return failed(error, errno);
    }

    struct stat existing {};
    if (stat(target.c_str(), &existing) == 0) {
        fchmod(fd, existing.st_mode & 07777);
        // Kept where the process may (another user's file saved by root stays that user's); where
        // it may not, the file is the saver's, as any file it makes.
        (void)!fchown(fd, existing.st_uid, existing.st_gid);
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
    }
    bool done = writeAll(fd, bytes) && fsync(fd) == 0;
    if (done && anonymous)
        done = nameAnonymousFile(fd, target, &temporary);
    int code = errno;
    close(fd);
    if (done && rename(temporary.c_str(), target.c_str()) != 0) {
        done = false;
        code = errno;
    }
    if (!done) {
        if (!temporary.empty())
            unlink(temporary.c_str());
        return failed(error, code);
    }
    syncFolder(folder);
    return true;
}
