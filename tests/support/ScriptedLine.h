#pragma once

#include <cstdint>
#include <string>
#include <termios.h>
#include <vector>

// A pseudo-terminal whose far end the test plays by hand: what the box "answers" is queued before
// the driver asks, and what the driver sent is read back byte for byte.
class ScriptedLine {
public:
    ScriptedLine();
    ~ScriptedLine();
    ScriptedLine(const ScriptedLine &) = delete;
    ScriptedLine &operator=(const ScriptedLine &) = delete;

    const std::string &path() const { return slavePath; }
    void queueReply(const std::vector<uint8_t> &bytes);
    std::vector<uint8_t> sentBytes();  // everything the driver wrote since the last call
    void discardUnreadReplies() { tcflush(slave, TCIFLUSH); }  // what the driver left of the queued replies
    // The line's terminal settings as they are now.
    struct termios settings() const
    {
        struct termios current {};
        tcgetattr(slave, &current);
        return current;
    }
    void applySettings(const struct termios &settings) { tcsetattr(slave, TCSANOW, &settings); }

private:
    int master = -1;
    int slave = -1;
    std::string slavePath;
};

// The frame the driver is expected to send: sixteen 0xFF, the command, the payload and, for more
// than one payload byte, the given checksum.
std::vector<uint8_t> expectedFrame(uint8_t command, const std::vector<uint8_t> &payload, int checksum = -1);
// Six 0xFF and the status byte, then the reply data.
std::vector<uint8_t> acknowledgement(uint8_t status, const std::vector<uint8_t> &reply = {});
