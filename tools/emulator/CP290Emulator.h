#pragma once

#include "tools/emulator/TimerFiring.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// How the box is told to misbehave, so that every failure path of a driver can be tried.
struct EmulatorOptions {
    bool silent = false;                  // never answer
    std::optional<uint8_t> forcedStatus;  // answer every command with this status
    bool cutReply = false;                // stop every reply half way
    bool noise = false;                   // stray bytes before every acknowledgement
    bool babble = false;                  // once a command comes, send bytes for ever, never an acknowledgement
    std::optional<int> failAfter;         // go silent after this many commands
    bool replyChecksum = false;           // follow the reply data of commands 4 and 5 with a checksum
    double tickScale = 1.0;               // scales the self test's wait of about eleven seconds
    std::string transcriptPath;           // each received frame as a line of hex
    std::string linkPath;                 // a symbolic link to the device
};

// A CP290 on a pseudo-terminal: 128 timer records, a running clock and a base house code. It
// answers on its own thread from start() until stop() or destruction.
class CP290Emulator {
public:
    using OutputLine = std::function<void(const std::string &)>;

    explicit CP290Emulator(EmulatorOptions options = {});
    ~CP290Emulator();
    CP290Emulator(const CP290Emulator &) = delete;
    CP290Emulator &operator=(const CP290Emulator &) = delete;

    bool start(std::string *error);
    void stop();

    // The slave side, which a driver opens as its serial device.
    const std::string &devicePath() const { return slavePath; }
    // Receives a line for every record that fires and every direct command.
    void setOutput(OutputLine output);

    std::vector<std::vector<uint8_t>> receivedFrames() const;
    StoredTimerRecord storedRecord(int number) const;
    int storedRecordCount() const;
    uint8_t baseHouseCode() const;
    BoxTime clock() const;

    // Runs the box's clock forward by hand, firing every record due on the way.
    void advanceClock(int minutes);
    // Sets the clock as command 2 would (weekday 0 Monday to 6 Sunday).
    void setClock(const BoxTime &time);

private:
    struct Frame {
        std::vector<uint8_t> bytes;
        uint8_t command = 0;
        std::vector<uint8_t> payload;
        bool checksumGood = true;
    };

    void serve();
    void feed(uint8_t byte);
    void answer(const Frame &frame);
    uint8_t carryOut(const Frame &frame, std::vector<uint8_t> &reply);
    void send(const std::vector<uint8_t> &bytes);
    void babbleOnce();
    bool pause(std::chrono::milliseconds duration);  // false when stopping
    void writeTranscript(const Frame &frame);
    void runClockLocked(long long uptoMinute);
    void fireMinuteLocked(long long minute);
    long long elapsedMinutesLocked() const;
    BoxTime timeAtLocked(long long minute) const;
    int securityDelay(int recordNumber, long long day) const;
    void report(const std::string &line);

    EmulatorOptions options;
    int master = -1;
    int slaveHold = -1;  // keeps the line up while no driver has the device open
    int stopPipe[2] = {-1, -1};
    std::string slavePath;
    std::thread server;

    // Frame reader
    enum class Reading { Preamble, Payload } reading = Reading::Preamble;
    Frame pending;
    int preambleRun = 0;
    std::size_t expectedPayload = 0;
    bool expectChecksum = false;
    int commandsAnswered = 0;
    bool babbling = false;

    mutable std::mutex lock;
    std::vector<std::vector<uint8_t>> frames;
    std::array<StoredTimerRecord, 128> records {};
    uint8_t baseHouse = 0x60;
    // The clock runs from the minute of the week it was last set to (Monday 00:00 is 0).
    long long minuteOfWeekAtSet = 0;
    std::chrono::steady_clock::time_point setInstant;
    long long manualMinutes = 0;
    long long lastRunMinute = 0;
    OutputLine output;
};
