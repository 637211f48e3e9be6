#include "tools/emulator/CP290Emulator.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int MinutesPerDay = 24 * 60;
constexpr int MinutesPerWeek = 7 * MinutesPerDay;
constexpr int PreambleBytes = 16;
constexpr int SelfTestSeconds = 11;
constexpr int BabbleIntervalMilliseconds = 100;  // six bytes every tenth of a second: 600 baud

// The command codes the box knows and the payload each carries.
enum : uint8_t { SetBaseHouse = 0, Direct = 1, SetClock = 2, StoreRecord = 3, ReportClock = 4, Upload = 5, SelfTest = 7 };

std::optional<std::size_t> payloadLength(uint8_t command)
{
    switch (command) {
    case SetBaseHouse: return 1;
    case Direct: return 4;
    case SetClock: return 3;
    case StoreRecord: return 10;
    case ReportClock:
    case Upload:
    case SelfTest: return 0;
    default: return std::nullopt;
    }
}

// Status the box answers a good command with: 1, but 0 for a self test that passed.
uint8_t successStatus(uint8_t command)
{
    return command == SelfTest ? 0 : 1;
}

constexpr uint8_t RefusedStatus = 0;

// Stray bytes on the line: a lone 0xFF and a run of five, each broken off.
const std::vector<uint8_t> Noise = {0x00, 0xFF, 0x5A, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x13};

void emptyAll(std::array<StoredTimerRecord, 128> &records)
{
    for (auto &record : records)
        record.fill(BoxMode::Empty);
}

long long hostMinuteOfWeek(int *secondsIntoMinute)
{
    const time_t now = time(nullptr);
    struct tm local {};
    localtime_r(&now, &local);
    *secondsIntoMinute = local.tm_sec;
    const int weekday = (local.tm_wday + 6) % 7;  // Monday first, as the box counts
    return weekday * MinutesPerDay + local.tm_hour * 60 + local.tm_min;
}

int weekdayOfDayBit(uint8_t dayBit)
{
    for (int weekday = 0; weekday < 7; ++weekday)
        if (dayBit & (1 << weekday))
            return weekday;
    return 0;
}

}  // namespace

CP290Emulator::CP290Emulator(EmulatorOptions chosen) : options(std::move(chosen))
{
    emptyAll(records);
    int seconds = 0;
    minuteOfWeekAtSet = hostMinuteOfWeek(&seconds);
    setInstant = std::chrono::steady_clock::now() - std::chrono::seconds(seconds);
}

CP290Emulator::~CP290Emulator()
{
    stop();
}

bool CP290Emulator::start(std::string *error)
{
    const auto fail = [&](const char *what) {
        if (error)
            *error = std::string(what) + ": " + std::strerror(errno);
        stop();
        return false;
    };
    master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master == -1)
        return fail("cannot open a pseudo-terminal");
    if (grantpt(master) == -1 || unlockpt(master) == -1)
        return fail("cannot unlock the pseudo-terminal");
    slavePath = ptsname(master);
    slaveHold = open(slavePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slaveHold == -1)
        return fail("cannot open the pseudo-terminal's device");
    // Raw from the start, so nothing the box sends is echoed back while no driver has the line.
    struct termios raw {};
    tcgetattr(slaveHold, &raw);
    cfmakeraw(&raw);
    tcsetattr(slaveHold, TCSANOW, &raw);
    if (pipe(stopPipe) == -1)
        return fail("cannot make a pipe");
    if (!options.linkPath.empty()) {
        unlink(options.linkPath.c_str());
        if (symlink(slavePath.c_str(), options.linkPath.c_str()) == -1)
            return fail("cannot make the link");
    }
    server = std::thread([this] { serve(); });
    return true;
}

void CP290Emulator::stop()
{
    if (server.joinable()) {
        const char wake = 'x';
        (void)!write(stopPipe[1], &wake, 1);
        server.join();
    }
    for (int *fd : {&master, &slaveHold, &stopPipe[0], &stopPipe[1]}) {
        if (*fd != -1)
            close(*fd);
        *fd = -1;
    }
    if (!options.linkPath.empty())
        unlink(options.linkPath.c_str());
}

void CP290Emulator::setOutput(OutputLine line)
{
    std::lock_guard guard(lock);
    output = std::move(line);
}

std::vector<std::vector<uint8_t>> CP290Emulator::receivedFrames() const
{
    std::lock_guard guard(lock);
    return frames;
}

StoredTimerRecord CP290Emulator::storedRecord(int number) const
{
    std::lock_guard guard(lock);
    return records.at(number);
}

int CP290Emulator::storedRecordCount() const
{
    std::lock_guard guard(lock);
    int count = 0;
    for (const auto &record : records)
        count += record[StoredRecordByte::Mode] != BoxMode::Empty;
    return count;
}

uint8_t CP290Emulator::baseHouseCode() const
{
    std::lock_guard guard(lock);
    return baseHouse;
}

BoxTime CP290Emulator::clock() const
{
    std::lock_guard guard(lock);
    return timeAtLocked(elapsedMinutesLocked());
}

void CP290Emulator::advanceClock(int minutes)
{
    std::lock_guard guard(lock);
    manualMinutes += minutes;
    runClockLocked(elapsedMinutesLocked());
}

void CP290Emulator::setClock(const BoxTime &time)
{
    std::lock_guard guard(lock);
    minuteOfWeekAtSet = time.weekday * MinutesPerDay + time.hour * 60 + time.minute;
    setInstant = std::chrono::steady_clock::now();
    manualMinutes = 0;
    lastRunMinute = 0;
}

void CP290Emulator::serve()
{
    for (;;) {
        long long sinceSet = 0;
        {
            std::lock_guard guard(lock);
            const auto running = std::chrono::steady_clock::now() - setInstant;
            sinceSet = std::chrono::duration_cast<std::chrono::milliseconds>(running).count();
        }
        const int untilNextMinute = static_cast<int>(60000 - sinceSet % 60000) + 5;
        pollfd watched[2] = {{master, POLLIN, 0}, {stopPipe[0], POLLIN, 0}};
        if (poll(watched, 2, babbling ? BabbleIntervalMilliseconds : untilNextMinute) == -1 && errno != EINTR)
            return;
        if (watched[1].revents)
            return;
        if (babbling)
            babbleOnce();
        if (watched[0].revents & POLLIN) {
            uint8_t bytes[256];
            const ssize_t count = read(master, bytes, sizeof bytes);
            for (ssize_t i = 0; i < count; ++i)
                feed(bytes[i]);
        }
        std::lock_guard guard(lock);
        runClockLocked(elapsedMinutesLocked());
    }
}

void CP290Emulator::feed(uint8_t byte)
{
    if (reading == Reading::Preamble) {
        if (byte == 0xFF) {
            ++preambleRun;
            return;
        }
        const auto length = payloadLength(byte);
        if (preambleRun < PreambleBytes || !length) {
            preambleRun = 0;
            return;
        }
        pending = Frame {};
        pending.bytes.assign(preambleRun, 0xFF);
        pending.bytes.push_back(byte);
        pending.command = byte;
        preambleRun = 0;
        expectedPayload = *length;
        expectChecksum = *length > 1;
        reading = Reading::Payload;
        if (expectedPayload > 0)
            return;
    } else {
        pending.bytes.push_back(byte);
        if (pending.payload.size() < expectedPayload) {
            pending.payload.push_back(byte);
            if (pending.payload.size() < expectedPayload || expectChecksum)
                return;
        } else {
            // The checksum: the sum of the payload, less a timer record's two address bytes.
            unsigned sum = 0;
            for (std::size_t i = pending.command == StoreRecord ? 2 : 0; i < pending.payload.size(); ++i)
                sum += pending.payload[i];
            pending.checksumGood = static_cast<uint8_t>(sum) == byte;
        }
    }
    reading = Reading::Preamble;
    answer(pending);
}

void CP290Emulator::answer(const Frame &frame)
{
    writeTranscript(frame);
    {
        std::lock_guard guard(lock);
        frames.push_back(frame.bytes);
    }
    if (options.silent || (options.failAfter && commandsAnswered >= *options.failAfter))
        return;
    if (options.babble) {
        babbling = true;
        return;
    }
    ++commandsAnswered;

    if (frame.command == SelfTest && frame.checksumGood) {
        const auto wait = std::chrono::duration<double>(SelfTestSeconds * options.tickScale);
        if (!pause(std::chrono::duration_cast<std::chrono::milliseconds>(wait)))
            return;
    }

    std::vector<uint8_t> reply;
    uint8_t status = frame.checksumGood ? carryOut(frame, reply) : RefusedStatus;
    if (options.forcedStatus)
        status = *options.forcedStatus;
    if (options.replyChecksum && !reply.empty()) {
        unsigned sum = 0;
        for (const uint8_t byte : reply)
            sum += byte;
        reply.push_back(static_cast<uint8_t>(sum));
    }

    std::vector<uint8_t> response;
    if (options.noise)
        response = Noise;
    const std::size_t acknowledgementStart = response.size();
    response.insert(response.end(), 6, 0xFF);
    response.push_back(status);
    response.insert(response.end(), reply.begin(), reply.end());
    if (options.cutReply)
        response.resize(reply.empty() ? acknowledgementStart + 3 : acknowledgementStart + 7 + reply.size() / 2);
    send(response);
}

uint8_t CP290Emulator::carryOut(const Frame &frame, std::vector<uint8_t> &reply)
{
    std::lock_guard guard(lock);
    const std::vector<uint8_t> &p = frame.payload;
    switch (frame.command) {
    case SetBaseHouse:
        baseHouse = p[0];
        emptyAll(records);
        return successStatus(frame.command);
    case Direct:
        report(describeBoxTime(timeAtLocked(elapsedMinutesLocked())) + " now "
             + describeSwitching(p[1], p[3], p[2], p[0]));
        return successStatus(frame.command);
    case SetClock: {
        if (p[0] > 59 || p[1] > 23)
            return RefusedStatus;
        minuteOfWeekAtSet = weekdayOfDayBit(p[2]) * MinutesPerDay + p[1] * 60 + p[0];
        setInstant = std::chrono::steady_clock::now();
        manualMinutes = 0;
        lastRunMinute = 0;
        return successStatus(frame.command);
    }
    case StoreRecord: {
        const unsigned address = p[0] | (p[1] << 8);
        if (address % 8 != 0 || address / 8 >= records.size())
            return RefusedStatus;
        std::copy(p.begin() + 2, p.end(), records[address / 8].begin());
        return successStatus(frame.command);
    }
    case ReportClock: {
        const BoxTime now = timeAtLocked(elapsedMinutesLocked());
        reply = {static_cast<uint8_t>(now.minute), static_cast<uint8_t>(now.hour),
                 static_cast<uint8_t>(1 << now.weekday), baseHouse};
        return successStatus(frame.command);
    }
    case Upload:
        for (const auto &record : records) {
            if (record[StoredRecordByte::Mode] == BoxMode::Empty)
                reply.push_back(BoxMode::Empty);
            else
                reply.insert(reply.end(), record.begin(), record.end());
        }
        return successStatus(frame.command);
    case SelfTest:
        emptyAll(records);
        return successStatus(frame.command);
    default:
        return RefusedStatus;
    }
}

void CP290Emulator::send(const std::vector<uint8_t> &bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t count = write(master, bytes.data() + sent, bytes.size() - sent);
        if (count > 0) {
            sent += count;
            continue;
        }
        if (count == -1 && errno != EAGAIN && errno != EINTR)
            return;
        // The line is full: nobody reads it. Wait a little for room, then give up on the rest.
        pollfd room {master, POLLOUT, 0};
        if (poll(&room, 1, 1000) <= 0)
            return;
    }
}

// Five 0xFF and a zero, over and over at about the line's pace: as near an acknowledgement as can
// be without ever being one. What finds no room on the line is dropped.
void CP290Emulator::babbleOnce()
{
    static const uint8_t Almost[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    if (write(master, Almost, sizeof Almost) == -1 && errno != EAGAIN && errno != EINTR)
        babbling = false;
}

bool CP290Emulator::pause(std::chrono::milliseconds duration)
{
    pollfd stopping {stopPipe[0], POLLIN, 0};
    return poll(&stopping, 1, static_cast<int>(duration.count())) == 0;
}

void CP290Emulator::writeTranscript(const Frame &frame)
{
    if (options.transcriptPath.empty())
        return;
    std::ofstream transcript(options.transcriptPath, std::ios::app);
    for (std::size_t i = 0; i < frame.bytes.size(); ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%s%02X", i ? " " : "", frame.bytes[i]);
        transcript << hex;
    }
    transcript << '\n';
}

long long CP290Emulator::elapsedMinutesLocked() const
{
    const auto running = std::chrono::steady_clock::now() - setInstant;
    return manualMinutes + std::chrono::duration_cast<std::chrono::minutes>(running).count();
}

BoxTime CP290Emulator::timeAtLocked(long long minute) const
{
    const long long minuteOfWeek = (minuteOfWeekAtSet + minute) % MinutesPerWeek;
    return {static_cast<int>(minuteOfWeek / MinutesPerDay), static_cast<int>(minuteOfWeek % MinutesPerDay / 60),
            static_cast<int>(minuteOfWeek % 60)};
}

void CP290Emulator::runClockLocked(long long uptoMinute)
{
    // Only the last day matters after a long absence: older days have used their records up.
    if (uptoMinute - lastRunMinute > MinutesPerWeek)
        lastRunMinute = uptoMinute - MinutesPerWeek;
    while (lastRunMinute < uptoMinute)
        fireMinuteLocked(++lastRunMinute);
}

int CP290Emulator::securityDelay(int recordNumber, long long day) const
{
    // A fresh minute for every record and every day, the same each time it is asked for.
    unsigned long long mix = (static_cast<unsigned long long>(day) << 8) ^ static_cast<unsigned>(recordNumber);
    mix = (mix ^ (mix >> 31)) * 0x7FB5D329728EA185ULL;
    mix = (mix ^ (mix >> 27)) * 0x81DADEF4BC2DD44DULL;
    return static_cast<int>((mix ^ (mix >> 33)) % 60);
}

void CP290Emulator::fireMinuteLocked(long long minute)
{
    const long long absolute = minuteOfWeekAtSet + minute;
    const BoxTime now = timeAtLocked(minute);
    if (absolute % MinutesPerDay == 0)
        for (auto &record : records)
            startNewDay(record);
    const long long day = absolute / MinutesPerDay;
    for (int number = 0; number < static_cast<int>(records.size()); ++number) {
        const StoredTimerRecord &record = records[number];
        if (!recordFiresAt(record, now, securityDelay(number, day), securityDelay(number, day - 1)))
            continue;
        using namespace StoredRecordByte;
        report(describeBoxTime(now) + " fired record " + std::to_string(number) + ": "
             + describeSwitching(record[House], record[Units1To8], record[Units9To16], record[Function]));
    }
}

void CP290Emulator::report(const std::string &line)
{
    if (output)
        output(line);
}
