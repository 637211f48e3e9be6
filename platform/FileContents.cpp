#include "platform/FileContents.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
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

}  // namespace

std::optional<std::string> readFileContents(const std::string &path, std::string *error)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd == -1) {
        failed(error, errno);
        return std::nullopt;
    }
    std::string contents;
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            failed(error, errno);
            close(fd);
            return std::nullopt;
        }
        if (got == 0)
            break;
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
    std::string temporary = target + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd == -1)
        return failed(error, errno);

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
    const bool written = writeAll(fd, bytes) && fsync(fd) == 0;
    const int writeErrno = errno;
    close(fd);
    if (!written || rename(temporary.c_str(), target.c_str()) != 0) {
        const int code = written ? errno : writeErrno;
        unlink(temporary.c_str());
        return failed(error, code);
    }
    syncFolder(std::filesystem::path(target).parent_path());
    return true;
}
