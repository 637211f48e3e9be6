#include "driver/DeviceOperations.h"

#include "driver/CommandExchange.h"
#include "platform/DateTime.h"
#include "platform/StatusHooks.h"
#include "platform/UserFolders.h"

#include <cstdio>
#include <sys/stat.h>

const uint8_t CP290HouseCodeBytes[16] = {0x60, 0xE0, 0x20, 0xA0, 0x10, 0x90, 0x50, 0xD0,
                                         0x70, 0xF0, 0x30, 0xB0, 0x00, 0x80, 0x40, 0xC0};

const uint8_t CP290LevelBytes[10] = {0x00, 0xE5, 0xC5, 0xA5, 0x85, 0x65, 0x45, 0x25, 0x05, 0x02};

namespace {

constexpr double SelfTestClockBudget = 10;
constexpr double SelfTestBudget = 100;

}  // namespace

uint8_t CP290DayBitOfDayOfWeek(int dayOfWeek)
{
    return dayOfWeek == 1 ? 0x40 : static_cast<uint8_t>(1 << (dayOfWeek - 2));
}

bool CP290DoOnOffDim(int houseIndex, int unit, uint8_t functionAndLevel)
{
    if (houseIndex < 0 || houseIndex > 15 || unit < 1 || unit > CP290AllModulesUnit)
        return false;
    uint8_t payload[4] = {functionAndLevel, CP290HouseCodeBytes[houseIndex], 0, 0};
    if (unit == CP290AllLightsUnit) {
        if (functionAndLevel == CP290FunctionOff)
            return false;
        payload[0] = CP290FunctionAllLightsOn;
    } else if (unit == CP290AllModulesUnit) {
        if (functionAndLevel == CP290FunctionOn)
            return false;
        payload[0] = CP290FunctionAllModulesOff;
    } else if (unit <= 8) {
        payload[3] = static_cast<uint8_t>(1 << (8 - unit));
    } else {
        payload[2] = static_cast<uint8_t>(1 << (16 - unit));
    }
    return SendCP290Command(CP290DirectCommand, payload, sizeof payload);
}

bool CP290DoGetClock()
{
    return SendCP290Command(CP290ReportClock, nullptr, 0);
}

bool CP290DoSetBaseHouseCode(int houseIndex)
{
    if (houseIndex < 0 || houseIndex > 15)
        return false;
    const uint8_t payload[1] = {CP290HouseCodeBytes[houseIndex]};
    return SendCP290Command(CP290SetBaseHouseCode, payload, sizeof payload);
}

bool CP290DoSetClock()
{
    DateTimeRec now;
    SecondsToDate(GetDateTime(), &now);
    const uint8_t payload[3] = {static_cast<uint8_t>(now.minute), static_cast<uint8_t>(now.hour),
                                CP290DayBitOfDayOfWeek(now.dayOfWeek)};
    return SendCP290Command(CP290SetClock, payload, sizeof payload);
}

bool CP290DoGetEvents()
{
    return SendCP290Command(CP290UploadTimerRecords, nullptr, 0);
}

bool CP290DoSelfTest()
{
    gProgressBudget = SelfTestClockBudget;
    if (!SendCP290Command(CP290ReportClock, nullptr, 0))
        return false;
    gProgressBudget = SelfTestBudget;
    if (!SendCP290Command(CP290RunSelfTest, nullptr, 0))
        return false;
    gProgressBudget = SelfTestClockBudget;
    const uint8_t baseHouseCode[1] = {gBaseHouseCode};
    if (!SendCP290Command(CP290SetBaseHouseCode, baseHouseCode, sizeof baseHouseCode))
        return false;
    return CP290DoSetClock();
}

std::string helperLogFilePath()
{
    return userLibraryFolder() + "/Logs/TavorinHelper.log";
}

void writeLog(const std::string &message)
{
    // The Logs folder always exists in a classic Library folder; below the XDG data home it may not.
    makeFolders(userLibraryFolder() + "/Logs");
    // A log that has grown to a megabyte moves aside, keeping one old file.
    const std::string path = helperLogFilePath();
    struct stat status {};
    if (stat(path.c_str(), &status) == 0 && status.st_size >= LogRotationSize)
        std::rename(path.c_str(), (path + ".1").c_str());
    FILE *log = std::fopen(path.c_str(), "a");
    if (!log)
        return;
    DateTimeRec now;
    SecondsToDate(GetDateTime(), &now);
    std::fprintf(log, "%s -- %s\n", formatListingDateTime(now).c_str(), message.c_str());
    std::fclose(log);
}
