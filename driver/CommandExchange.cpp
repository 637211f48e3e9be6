#include "driver/CommandExchange.h"

#include "driver/SerialLink.h"
#include "platform/Alerts.h"
#include "platform/StatusHooks.h"
#include "platform/StopRequest.h"
#include "platform/TickPause.h"

#include <cerrno>
#include <cstring>
#include <string>

uint8_t gMinute = 0;
uint8_t gHour = 0;
uint8_t gBaseHouseCode = 0;
uint8_t CP290TimerEvent[CP290TimerRecordCount][CP290TimerRecordSize] = {};

namespace {

constexpr int PreambleLength = 16;
constexpr int AcknowledgementLength = 6;
constexpr int MaximumAttempts = 3;
constexpr int SelfTestWaitSeconds = 11;
constexpr unsigned long TicksPerSecond = 60;

uint8_t checksumOf(uint8_t command, const uint8_t *payload, int16_t length)
{
    // The address of a timer record (its first two bytes) is not covered.
    const int first = command == CP290StoreTimerRecord ? 2 : 0;
    unsigned sum = 0;
    for (int i = first; i < length; ++i)
        sum += payload[i];
    return static_cast<uint8_t>(sum);
}

bool sendFrame(uint8_t command, const uint8_t *payload, int16_t length)
{
    StartCP290Frame();
    for (int i = 0; i < PreambleLength; ++i)
        if (!SendByte(0xFF))
            return false;
    if (!SendByte(command))
        return false;
    for (int i = 0; i < length; ++i)
        if (!SendByte(payload[i]))
            return false;
    return length <= 1 || SendByte(checksumOf(command, payload, length));
}

void waitForSelfTest()
{
    for (int second = 0; second < SelfTestWaitSeconds; ++second) {
        advanceStatusProgress(gProgressBudget / 12);
        Delay(TicksPerSecond, nullptr);
    }
}

bool statusAccepted(uint8_t command, uint8_t status)
{
    if (command == CP290RunSelfTest)
        return status == 0;  // 1 here means the self test failed
    return status == 1 || (command == CP290SetBaseHouseCode && status == 0);
}

// Six 0xFF in a row, then the status byte, whatever it is; any other byte starts the count again.
// A device that keeps sending without ever acknowledging gets no longer than a silent one.
bool readAcknowledgement(uint8_t command)
{
    TickDeadlines search;
    search.restart();
    int run = 0;
    uint8_t byte = 0;
    while (run < AcknowledgementLength) {
        if (!GetByte(&byte))
            return false;
        run = byte == 0xFF ? run + 1 : 0;
        if (run < AcknowledgementLength && (search.passed(GetByteTimeoutTicks) || stopRequested())) {
            errno = stopRequested() ? ECANCELED : ETIMEDOUT;
            return false;
        }
    }
    if (!GetByte(&byte))
        return false;
    if (!statusAccepted(command, byte)) {
        errno = EPROTO;  // otherwise the alert would name whatever the last empty read left behind
        return false;
    }
    return true;
}

bool readClockReply()
{
    uint8_t dayBitmap = 0;
    return GetByte(&gMinute) && GetByte(&gHour) && GetByte(&dayBitmap) && GetByte(&gBaseHouseCode);
}

bool readTimerRecords()
{
    for (auto &record : CP290TimerEvent) {
        if (!GetByte(&record[2]))
            return false;
        advanceStatusProgress(1.0);
        if (record[2] == CP290EmptyRecordMark)
            continue;
        for (int i = 3; i < CP290TimerRecordSize; ++i)
            if (!GetByte(&record[i]))
                return false;
    }
    return true;
}

bool readReply(uint8_t command)
{
    switch (command) {
    case CP290ReportClock:
        return readClockReply();
    case CP290UploadTimerRecords:
        return readTimerRecords();
    default:
        return true;
    }
}

bool attempt(uint8_t command, const uint8_t *payload, int16_t length)
{
    if (!sendFrame(command, payload, length))
        return false;
    if (command == CP290RunSelfTest)
        waitForSelfTest();
    return readAcknowledgement(command) && readReply(command);
}

double shareBeforeSending(uint8_t command)
{
    switch (command) {
    case CP290UploadTimerRecords:
        return 1.0;
    case CP290RunSelfTest:
        return gProgressBudget / 12;
    default:
        return gProgressBudget / 2;
    }
}

bool addsShareAfterSuccess(uint8_t command)
{
    return command == CP290SetBaseHouseCode || command == CP290SetClock || command == CP290ReportClock;
}

void reportNotResponding()
{
    if (!CP290Verbose)
        return;
    // Taken before the status sheet goes down, whose pause and redraw may leave another errno.
    const std::string error = std::strerror(errno);
    endStatus();
    requestAlert("CP290 Not Responding",
                 "There does not appear to be a CP290 connected to the specified serial device.  "
                 "The specific error was \"" + error + "\".  Please recheck your connections and then retry.");
}

void closeLinkWhenAsked()
{
    if (CP290Close && CP290FileDescriptor != -1)
        closeCP290();
}

}  // namespace

bool SendCP290Command(uint8_t command, const uint8_t *payload, int16_t length)
{
    int failedAttempts = 0;
    if (CP290FileDescriptor == -1 && openCP290() == -1) {
        failedAttempts = 1;
    } else if (command != CP290StoreTimerRecord) {
        advanceStatusProgress(shareBeforeSending(command));
    }

    while (!attempt(command, payload, length)) {
        if (++failedAttempts >= MaximumAttempts || stopRequested()) {
            reportNotResponding();
            closeLinkWhenAsked();
            return false;
        }
    }

    if (addsShareAfterSuccess(command))
        advanceStatusProgress(gProgressBudget / 2);
    closeLinkWhenAsked();
    return true;
}
