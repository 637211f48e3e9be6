// tavorin-helper: the background helper. Started at login and by the application; one copy at a
// time. Ends cleanly on signal 15.

#include "tools/helper/HelperService.h"

#include "driver/DeviceOperations.h"
#include "platform/DateTime.h"
#include "platform/UserFolders.h"

#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

int main()
{
    const std::string folder = userLibraryFolder() + "/Application Support/Tavorin";
    makeFolders(folder);
    const int lock = open((folder + "/helper.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock == -1 || flock(lock, LOCK_EX | LOCK_NB) == -1)
        return 0;  // another copy is running

    sigset_t stopping;
    sigemptyset(&stopping);
    sigaddset(&stopping, SIGTERM);
    sigaddset(&stopping, SIGINT);
    sigprocmask(SIG_BLOCK, &stopping, nullptr);

    recordProcessID(getpid());
    writeLog("Started.");
    HelperService service;
    uint32_t now = GetDateTime();
    uint32_t next = service.dueAtStart(now) ? now : HelperService::nextRunTime(now, true);
    for (;;) {
        now = GetDateTime();
        if (now >= next) {
            const bool sent = service.runDownload();
            next = HelperService::nextRunTime(GetDateTime(), sent);
            continue;
        }
        // Local time may jump (a new zone, summer time): wait at most an hour before looking again.
        const timespec wait {static_cast<time_t>(std::min<uint32_t>(next - now, 3600)), 0};
        const int signal = sigtimedwait(&stopping, nullptr, &wait);
        if (signal == SIGTERM || signal == SIGINT)
            break;
    }
    writeLog("Stopped.");
    return 0;
}
