#include "driver/SerialLink.h"

#include "platform/Alerts.h"
#include "platform/StatusHooks.h"
#include "platform/StopRequest.h"
#include "platform/TickPause.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

char CP290DeviceFilePath[256] = "";
int32_t CP290FileDescriptor = -1;
struct termios gOriginalTTYAttrs {};
uint8_t CP290Close = 1;
uint8_t CP290Verbose = 1;
int CP290OpenError = 0;

namespace {

TickDeadlines frameDeadlines;

constexpr int GetByteTries = 30;
constexpr unsigned long GetByteTriesPauseTicks = 10;
static_assert(GetByteTries * GetByteTriesPauseTicks == GetByteTimeoutTicks);

struct termios rawSettingsFrom(const struct termios &original)
{
    struct termios settings = original;
    settings.c_iflag &= ~tcflag_t(ICRNL | IXON | IXOFF | IMAXBEL);
    settings.c_oflag &= ~tcflag_t(OPOST | ONLCR);
    settings.c_cflag &= ~tcflag_t(CSIZE | CSTOPB | PARENB);
    settings.c_cflag |= CS8 | CREAD | CLOCAL;
    settings.c_lflag &= ~tcflag_t(ECHO | ICANON | ISIG);
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 10;
    cfsetspeed(&settings, B600);
    return settings;
}

int32_t failOpening()
{
    CP290OpenError = errno;
    if (CP290FileDescriptor != -1) {
        const int savedErrno = errno;
        close(CP290FileDescriptor);
        errno = savedErrno;
    }
    CP290FileDescriptor = -1;
    if (CP290Verbose) {
        const int savedErrno = errno;
        endStatus();
        errno = savedErrno;
        requestAlert("Cannot Open Serial Device",
                     "The specified serial device cannot be opened.  Please recheck your connections, "
                     "reselect the device (under the CP290 menu), and then retry.");
    }
    return -1;
}

}  // namespace

char *setCP290DeviceFilePath(const char *path)
{
    std::strncpy(CP290DeviceFilePath, path, sizeof CP290DeviceFilePath - 1);
    CP290DeviceFilePath[sizeof CP290DeviceFilePath - 1] = '\0';
    return CP290DeviceFilePath;
}

int32_t openCP290()
{
    CP290FileDescriptor = open(CP290DeviceFilePath, O_RDWR | O_NONBLOCK | O_NOCTTY);
    if (CP290FileDescriptor == -1)
        return failOpening();
    if (ioctl(CP290FileDescriptor, TIOCEXCL) == -1)
        return failOpening();
    if (tcgetattr(CP290FileDescriptor, &gOriginalTTYAttrs) == -1)
        return failOpening();
    const struct termios settings = rawSettingsFrom(gOriginalTTYAttrs);
    if (tcsetattr(CP290FileDescriptor, TCSANOW, &settings) == -1)
        return failOpening();
    CP290OpenError = 0;
    return CP290FileDescriptor;
}

int closeCP290()
{
    tcsetattr(CP290FileDescriptor, TCSANOW, &gOriginalTTYAttrs);
    // The claim belongs to the terminal, not to our descriptor: it would outlive the link while
    // anyone else (an emulator, a terminal program) still holds the device open.
    ioctl(CP290FileDescriptor, TIOCNXCL);
    const int result = close(CP290FileDescriptor);
    CP290FileDescriptor = -1;
    return result;
}

void StartCP290Frame()
{
    frameDeadlines.restart();
}

bool SendByte(uint8_t byte)
{
    if (write(CP290FileDescriptor, &byte, 1) == -1)
        return false;
    frameDeadlines.waitTicks(1);
    return true;
}

bool GetByte(uint8_t *destination)
{
    for (int attempt = 0; attempt < GetByteTries; ++attempt) {
        if (read(CP290FileDescriptor, destination, 1) > 0)
            return true;
        if (stopRequested()) {
            errno = ECANCELED;
            return false;
        }
        Delay(GetByteTriesPauseTicks, nullptr);
    }
    return false;
}
