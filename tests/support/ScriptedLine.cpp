#include "tests/support/ScriptedLine.h"

#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

ScriptedLine::ScriptedLine()
{
    master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master == -1 || grantpt(master) == -1 || unlockpt(master) == -1)
        throw std::runtime_error("no pseudo-terminal");
    slavePath = ptsname(master);
    slave = open(slavePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slave == -1)
        throw std::runtime_error("cannot open " + slavePath);
    struct termios raw = settings();
    cfmakeraw(&raw);
    applySettings(raw);
}

ScriptedLine::~ScriptedLine()
{
    close(slave);
    close(master);
}

void ScriptedLine::queueReply(const std::vector<uint8_t> &bytes)
{
    if (write(master, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error("cannot queue the reply");
}

std::vector<uint8_t> ScriptedLine::sentBytes()
{
    std::vector<uint8_t> bytes;
    uint8_t buffer[512];
    ssize_t count;
    while ((count = read(master, buffer, sizeof buffer)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + count);
    return bytes;
}

std::vector<uint8_t> expectedFrame(uint8_t command, const std::vector<uint8_t> &payload, int checksum)
{
    std::vector<uint8_t> frame(16, 0xFF);
    frame.push_back(command);
    frame.insert(frame.end(), payload.begin(), payload.end());
    if (checksum >= 0)
        frame.push_back(static_cast<uint8_t>(checksum));
    return frame;
}

std::vector<uint8_t> acknowledgement(uint8_t status, const std::vector<uint8_t> &reply)
{
    std::vector<uint8_t> bytes(6, 0xFF);
    bytes.push_back(status);
    bytes.insert(bytes.end(), reply.begin(), reply.end());
    return bytes;
}
