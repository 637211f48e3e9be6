// tavorin-helper: the background helper. Started at login and by the application; one copy at a
// time. Ends cleanly on signal 15.

#include "tools/helper/HelperBridge.h"
#include "tools/helper/HelperService.h"

#include "bridge/BridgeSettings.h"
#include "driver/DeviceOperations.h"
#include "platform/UserDefaultsFile.h"
#include "platform/StopRequest.h"
#include "platform/UserFolders.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace {

const char *const Usage = "usage: tavorin-helper [--mqtt mqtt://[USER@]HOST[:PORT] [--mqtt-password-file FILE]]\n"
                          "       tavorin-helper --help | --version\n"
                          "Downloads the document the application last sent into the CP290 again a minute after\n"
                          "each change of the local date, on waking from sleep, and at start when today's\n"
                          "download has not happened yet.\n"
                          "With a broker (--mqtt, or the Preferences' \"Home Assistant (MQTT)\"), it is also the\n"
                          "bridge to Home Assistant: the modules appear as lights and switches there.\n"
                          "  --mqtt URL                 the broker, mqtt:// or mqtts:// (TLS); in place of the Preferences'\n"
                          "  --mqtt-password-file FILE  the broker's password, the file's first line\n";

struct HelperArguments {
    std::string broker;
    std::string passwordFile;
};

// The arguments; the exit status in `status` when the helper is to leave at once.
std::optional<HelperArguments> readArguments(int argc, char **argv, int *status)
{
    HelperArguments arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argc == 2 && (argument == "--help" || argument == "-h")) {
            std::fputs(Usage, stdout);
            *status = 0;
            return std::nullopt;
        }
        if (argc == 2 && argument == "--version") {
            std::printf("tavorin-helper %s\n", TAVORIN_VERSION);
            *status = 0;
            return std::nullopt;
        }
        if (argument == "--mqtt" && hasValue) {
            arguments.broker = argv[++i];
        } else if (argument == "--mqtt-password-file" && hasValue) {
            arguments.passwordFile = argv[++i];
        } else {
            std::fprintf(stderr, "tavorin-helper: unknown argument '%s'; see 'tavorin-helper --help'\n", argv[i]);
            *status = 2;
            return std::nullopt;
        }
    }
    if (!arguments.passwordFile.empty() && arguments.broker.empty()) {
        std::fputs("tavorin-helper: --mqtt-password-file goes with --mqtt\n", stderr);
        *status = 2;
        return std::nullopt;
    }
    return arguments;
}


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
    int status = 0;
    const std::optional<HelperArguments> arguments = readArguments(argc, argv, &status);
    if (!arguments)
        return status;
    std::string problem;
    std::optional<BrokerLogin> login;
    if (!arguments->broker.empty()) {
        login = commandLineBrokerLogin(arguments->broker, arguments->passwordFile, &problem);
        if (!login) {
            std::fprintf(stderr, "tavorin-helper: %s\n", problem.c_str());
            return 2;
        }
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
    if (!login) {
        login = brokerLogin(readBridgeSettings(), &problem);
        if (!problem.empty())
            writeLog("The MQTT bridge is off: " + problem + ".");
    }
    HelperService service;
    // Made after the stop signals are blocked, so that its threads leave them to the wait below.
    const std::unique_ptr<HomeAssistantBridge> bridge = startHelperBridge(login, service);
    service.runUntilStopped([&stopping, &service](uint32_t seconds) {
        const timespec wait {static_cast<time_t>(seconds), 0};
        const long sleptBefore = secondsAsleep();
        const int signal = sigtimedwait(&stopping, nullptr, &wait);
        if (secondsAsleep() - sleptBefore > 1)
            service.sendAtNextLook();
        return signal != SIGTERM && signal != SIGINT;
    });
    if (bridge)
        bridge->stop();
    clearProcessID();
    writeLog("Stopped.");
    return 0;
}
