// tavorin-helper: the background helper. Started at login and by the application; one copy at a
// time. Ends cleanly on signal 15.

#include "tools/helper/HelperService.h"

#include "driver/DeviceOperations.h"
#include "platform/StopRequest.h"
#include "platform/UserFolders.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace {

const char *const Usage = "usage: tavorin-helper [--help | --version]\n"
                          "Downloads the document the application last sent into the CP290 again a minute after\n"
                          "each change of the local date, on waking from sleep, and at start when today's\n"
                          "download has not happened yet.\n";

int startFailed(const std::string &what)
{
    std::fprintf(stderr, "tavorin-helper: %s: %s\n", what.c_str(), std::strerror(errno));
    return 1;
}

// How long the machine has been suspended since it started: the boot clock runs on in sleep, the
// monotonic clock stops.
long secondsAsleep()
{
    timespec boot {}, awake {};
    clock_gettime(CLOCK_BOOTTIME, &boot);
    clock_gettime(CLOCK_MONOTONIC, &awake);
    return static_cast<long>(boot.tv_sec - awake.tv_sec);
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc > 1) {
        const std::string argument = argv[1];
        if (argc == 2 && (argument == "--help" || argument == "-h")) {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (argc == 2 && argument == "--version") {
            std::printf("tavorin-helper %s\n", TAVORIN_VERSION);
            return 0;
        }
        std::fprintf(stderr, "tavorin-helper: unknown argument '%s'; see 'tavorin-helper --help'\n", argv[argc == 2 ? 1 : 2]);
        return 2;
    }

    const std::string folder = userLibraryFolder() + "/Application Support/Tavorin";
    if (!makeFolders(folder))
        return startFailed("cannot make " + folder);
    const int lock = open((folder + "/helper.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock == -1)
        return startFailed("cannot open its lock in " + folder);
    if (flock(lock, LOCK_EX | LOCK_NB) == -1)
        return 0;  // another copy is running

    sigset_t stopping;
    sigemptyset(&stopping);
    sigaddset(&stopping, SIGTERM);
    sigaddset(&stopping, SIGINT);
    sigprocmask(SIG_BLOCK, &stopping, nullptr);

    // Signal 15 during a download ends it at the next exchange, as a failed download.
    setStopRequestCheck([] {
        sigset_t pending;
        sigpending(&pending);
        return sigismember(&pending, SIGTERM) == 1 || sigismember(&pending, SIGINT) == 1;
    });
    recordProcessID(getpid());
    writeLog("Started.");
    HelperService service;
    service.runUntilStopped([&stopping, &service](uint32_t seconds) {
        const timespec wait {static_cast<time_t>(seconds), 0};
        const long sleptBefore = secondsAsleep();
        const int signal = sigtimedwait(&stopping, nullptr, &wait);
        if (secondsAsleep() - sleptBefore > 1)
            service.sendAtNextLook();
        return signal != SIGTERM && signal != SIGINT;
    });
    clearProcessID();
    writeLog("Stopped.");
    return 0;
}
