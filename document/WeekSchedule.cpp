#include "document/WeekSchedule.h"

#include "document/EventDownload.h"
#include "driver/SerialLink.h"
#include "driver/TimerDownload.h"

#include <cstring>

namespace {

// The encoder reports a download that does not fit; a schedule only marks the day.
class QuietDriver {
public:
    QuietDriver() : verbose(CP290Verbose) { CP290Verbose = 0; }
    ~QuietDriver() { CP290Verbose = verbose; }
    QuietDriver(const QuietDriver &) = delete;
    QuietDriver &operator=(const QuietDriver &) = delete;

private:
    uint8_t verbose;
};

uint32_t midnightOf(uint32_t moment)
{
    return moment - moment % SecondsPerDay;
}

}  // namespace

std::vector<ScheduledDay> weekSchedule(const std::vector<Module> &modules, const ClassicEventRepeat &repeat,
                                       uint32_t first, int days)
{
    const QuietDriver quiet;
    std::vector<ScheduledDay> schedule;
    for (int index = 0; index < days; ++index) {
        ScheduledDay day;
        day.midnight = midnightOf(first) + static_cast<uint32_t>(index) * SecondsPerDay;
        const ScopedMoment moment(day.midnight + HelperSendsAfterMidnight);
        bool anyEvent = false;
        day.tooManyEvents = !encodeDocumentEvents(modules, repeat, &anyEvent);
        if (!anyEvent)
            SetRiseSetTimes();
        day.sun = {gSunriseTime, gSunsetTime};
        for (int number = 0; anyEvent && !day.tooManyEvents && number < NumEvents; ++number) {
            TimerRecord record;
            std::memcpy(record.data(), CP290TimerEvent[number], CP290TimerRecordSize);
            day.records.push_back(record);
        }
        schedule.push_back(std::move(day));
    }
    return schedule;
}

void recordsAsStored(const std::vector<TimerRecord> &records,
                     uint8_t (&buffer)[CP290TimerRecordCount][CP290TimerRecordSize])
{
    std::memset(buffer, CP290EmptyRecordMark, sizeof buffer);
    for (std::size_t number = 0; number < records.size() && number < CP290TimerRecordCount; ++number)
        std::memcpy(buffer[number], records[number].data(), CP290TimerRecordSize);
}
