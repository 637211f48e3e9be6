// cp290-emulator: a CP290 on a pseudo-terminal. Prints the device path on its first line, then a
// line for every record that fires and every direct command, until it is stopped.

#include "tools/emulator/CP290Emulator.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int)
{
    stopRequested = 1;
}

int usage()
{
    std::fprintf(stderr,
                 "usage: cp290-emulator [--link PATH] [--transcript FILE] [--silent] [--status N]\n"
                 "                      [--cut-reply] [--noise] [--babble] [--fail-after N] [--reply-checksum]\n"
                 "                      [--tick-scale X]\n");
    return 2;
}

bool number(const char *text, long low, long high, long *value)
{
    char *end = nullptr;
    *value = std::strtol(text, &end, 0);
    return *text && *end == '\0' && *value >= low && *value <= high;
}

}  // namespace

int main(int argc, char **argv)
{
    EmulatorOptions options;
    if (const char *scale = std::getenv("TAVORIN_TICK_SCALE"); scale && std::strtod(scale, nullptr) > 0)
        options.tickScale = std::strtod(scale, nullptr);

    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        long value = 0;
        if (option == "--silent") {
            options.silent = true;
        } else if (option == "--cut-reply") {
            options.cutReply = true;
        } else if (option == "--noise") {
            options.noise = true;
        } else if (option == "--babble") {
            options.babble = true;
        } else if (option == "--reply-checksum") {
            options.replyChecksum = true;
        } else if (option == "--status" && hasValue && number(argv[i + 1], 0, 255, &value)) {
            options.forcedStatus = static_cast<uint8_t>(value);
            ++i;
        } else if (option == "--fail-after" && hasValue && number(argv[i + 1], 0, 1000000, &value)) {
            options.failAfter = static_cast<int>(value);
            ++i;
        } else if (option == "--tick-scale" && hasValue && std::strtod(argv[i + 1], nullptr) > 0) {
            options.tickScale = std::strtod(argv[++i], nullptr);
        } else if (option == "--link" && hasValue) {
            options.linkPath = argv[++i];
        } else if (option == "--transcript" && hasValue) {
            options.transcriptPath = argv[++i];
        } else {
            return usage();
        }
    }

    // Stop signals are held back except while waiting, so that none slips in before the wait.
    sigset_t stopSignals, waiting;
    sigemptyset(&stopSignals);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        std::signal(signal, requestStop);
        sigaddset(&stopSignals, signal);
    }
    sigprocmask(SIG_BLOCK, &stopSignals, &waiting);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigdelset(&waiting, signal);

    CP290Emulator box(options);
    box.setOutput([](const std::string &line) {
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    });
    std::string error;
    if (!box.start(&error)) {
        std::fprintf(stderr, "cp290-emulator: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", box.devicePath().c_str());
    std::fflush(stdout);
    while (!stopRequested)
        sigsuspend(&waiting);
    box.stop();
    return 0;
}
