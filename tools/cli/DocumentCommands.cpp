#include "DocumentCommands.h"

#include "document/DocumentFile.h"
#include "document/DownloadedModules.h"
#include "document/EventDescription.h"
#include "document/EventDownload.h"
#include "document/ModuleCells.h"
#include "document/WeekSchedule.h"
#include "driver/SerialLink.h"
#include "platform/UserDefaultsFile.h"
#include "document/OutlineText.h"
#include "driver/CommandExchange.h"
#include "driver/TimerRecordFields.h"
#include "driver/TimerDownload.h"
#include "platform/DateTime.h"
#include "platform/Location.h"
#include "sun/SunriseSunset.h"
#include "JsonOutput.h"
#include "platform/JsonText.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace {

std::vector<std::string> splitAt(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);)
        parts.push_back(part);
    if (!text.empty() && text.back() == separator)
        parts.emplace_back();
    return parts;
}

std::optional<ClassicEventRepeat> parseRepeat(const std::string &text)
{
    const auto parts = splitAt(text, ',');
    if (parts.size() != 2)
        return std::nullopt;
    const auto on = wholeNumber(parts[0], 1, 10), off = wholeNumber(parts[1], 1, 10);
    if (!on || !off)
        return std::nullopt;
    return ClassicEventRepeat {static_cast<uint8_t>(*on), static_cast<uint8_t>(*off)};
}

// The offset of --location: hours with a sign and minutes ("-5:00", "+5:30"), or seconds east.
// A bare number of hours would read as seconds: refused, with `hoursGiven` set.
std::optional<int> parseOffset(const std::string &text, bool *hoursGiven)
{
    if (const auto colon = text.find(':'); colon != std::string::npos) {
        if (colon < 2 || (text[0] != '+' && text[0] != '-') || text.size() - colon != 3)
            return std::nullopt;
        const auto hours = wholeNumber(text.substr(1, colon - 1), 0, 14);
        const auto minutes = wholeNumber(text.substr(colon + 1), 0, 59);
        if (!hours || !minutes)
            return std::nullopt;
        return (text[0] == '-' ? -1 : 1) * (*hours * 3600 + *minutes * 60);
    }
    const auto seconds = wholeNumber(text, -14 * 3600, 14 * 3600);
    *hoursGiven = seconds && *seconds != 0 && *seconds >= -14 && *seconds <= 14;
    return *hoursGiven ? std::nullopt : seconds;
}

std::optional<Location> parseLocation(const std::string &text, bool *hoursGiven)
{
    const auto parts = splitAt(text, ',');
    if (parts.size() != 3)
        return std::nullopt;
    const auto latitude = wholeNumber(parts[0], -90, 90), longitude = wholeNumber(parts[1], -180, 180);
    const auto offset = parseOffset(parts[2], hoursGiven);
    if (!latitude || !longitude || !offset)
        return std::nullopt;
    return Location {double(*latitude), double(*longitude), *offset};
}

// "YYYY-MM-DD" or "YYYY-MM-DD HH:MM", from 1904-01-01 to 2040-02-06 (06:28 at the latest), the
// days date seconds can hold.
std::optional<uint32_t> parseMoment(const std::string &text, bool withTime)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    char rest = 0;
    const int fields = withTime ? std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d%c", &year, &month, &day, &hour, &minute, &rest)
                                : std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &rest);
    if (fields != (withTime ? 5 : 3) || month < 1 || month > 12 || day < 1 || hour > 23 || hour < 0 || minute < 0
        || minute > 59)
        return std::nullopt;
    // A day-only moment stands for the day: noon, or its first minutes on the last day.
    const auto seconds = dateSecondsWithinRange(makeDateTimeRec(year, month, day, withTime ? hour : 0, minute));
    if (!seconds)
        return std::nullopt;
    DateTimeRec back;
    SecondsToDate(*seconds, &back);
    if (back.day != day)
        return std::nullopt;  // 31 April and the like
    return withTime || *seconds >= LastDayMidnight ? *seconds : *seconds + 12 * 3600;
}

std::optional<DocumentFileContent> openDocument(const std::string &path)
{
    DocumentReadResult read = readDocumentFile(path);
    if (!read.content)
        std::fprintf(stderr, "tavorin-cli: \"%s\" cannot be opened as a document: %s.\n", path.c_str(), read.error.c_str());
    return std::move(read.content);
}

// The options every document command may take; false after the usage when one is wrong.
struct DocumentOptions {
    std::optional<ClassicEventRepeat> repeat;
    bool remember = false;  // keep the download for the helper whatever the device
    std::optional<uint32_t> now;
    std::optional<Location> location;
    bool json = false;
    std::optional<uint32_t> from;  // the schedule's first day
    int days = 7;
};

// Reads the values of the options given; the reader has already refused any other.
int readOptions(const CommandLine &line, DocumentOptions *options)
{
    options->remember = line.has("--remember");
    if (const auto value = line.option("--repeat"); value && !(options->repeat = parseRepeat(*value)))
        return usage("--repeat takes ON,OFF, each 1 to 10");
    if (const auto value = line.option("--location")) {
        bool hoursGiven = false;
        if (!(options->location = parseLocation(*value, &hoursGiven)))
            return usage(hoursGiven ? "--location's offset is in seconds east: write hours as -5:00"
                                    : "--location takes LAT,LON,OFFSET in whole degrees and hours (\"-5:00\") or seconds east");
    }
    if (const auto value = line.option("--now"); value && !(options->now = parseMoment(*value, true)))
        return usage("--now takes \"YYYY-MM-DD HH:MM\", from 1904-01-01 to 2040-02-06");
    if (const auto value = line.option("--date"); value && !(options->now = parseMoment(*value, false)))
        return usage("--date takes YYYY-MM-DD, from 1904-01-01 to 2040-02-06");
    if (const auto value = line.option("--from"); value && !(options->from = parseMoment(*value, false)))
        return usage("--from takes YYYY-MM-DD, from 1904-01-01 to 2040-02-06");
    if (const auto value = line.option("--days")) {
        const auto days = wholeNumber(*value, 1, 366);
        if (!days)
            return usage("--days takes a number of days, 1 to 366");
        options->days = *days;
    }
    const uint32_t first = options->from.value_or(GetDateTime());
    if (line.command == "schedule"
        && midnightOf(first) > LastDayMidnight - static_cast<uint32_t>(options->days - 1) * SecondsPerDay)
        return usage("the schedule would run past 2040-02-06, the last day a CP290 document can name");
    return Done;
}

void applyMomentAndPlace(const DocumentOptions &options)
{
    if (options.now)
        setDateTimeSource([now = *options.now] { return now; });
    if (options.location)
        setLocationOverride(options.location);
}

bool needsTheSun(const std::vector<Module> &modules)
{
    for (const Module &module : modules)
        for (const Event &event : module.events)
            if (!event.has(EventClockTime))
                return true;
    return false;
}

// Sunrise and sunset at 0 degrees, 0 degrees are nobody's: say so once.
void warnWhenThePlaceIsNotKnown()
{
    if (!locationIsKnown())
        std::fprintf(stderr, "tavorin-cli: warning: the location is not known (set it in the preferences or with "
                             "--location); sunrise and sunset are computed for 0 degrees north, 0 degrees east.\n");
}

// "HH:MM" of a sun time, or "none" on a day without sunrise and sunset.
std::string clockTimeText(uint32_t moment)
{
    if (moment == SunNeverRisesOrSets)
        return "none";
    DateTimeRec time;
    SecondsToDate(moment, &time);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", time.hour, time.minute);
    return text;
}

std::string clockTimeJson(uint32_t moment)
{
    return moment == SunNeverRisesOrSets ? JsonNull : jsonString(clockTimeText(moment));
}

int send(const std::string &path, const DocumentOptions &options)
{
    const auto document = openDocument(path);
    if (!document)
        return CommandFailed;
    const ClassicEventRepeat repeat = options.repeat.value_or(document->eventRepeat);
    applyMomentAndPlace(options);
    if (needsTheSun(document->modules))
        warnWhenThePlaceIsNotKnown();
    const DownloadOutcome outcome = downloadDocumentEvents(document->modules, repeat);
    const bool kept = options.remember || downloadToRememberedDevice(CP290DeviceFilePath);
    if (remembersDownload(outcome) && kept && !rememberDownloadedModules(document->modules, repeat))
        std::fprintf(stderr, "tavorin-cli: the downloaded modules could not be kept in the user defaults.\n");
    // Kept with --remember, the download is sent again to the device it went to.
    if (remembersDownload(outcome) && options.remember && !rememberSerialDevicePath(CP290DeviceFilePath))
        std::fprintf(stderr, "tavorin-cli: %s cannot be remembered as the serial device; choose it in the "
                             "application's CP290 menu.\n", CP290DeviceFilePath);
    if (outcome != DownloadOutcome::Sent && outcome != DownloadOutcome::NothingDue)
        return CommandFailed;
    std::printf("%s\n", outcome == DownloadOutcome::NothingDue ? NothingDueText : "Events sent.");
    return Done;
}

int plan(const std::string &path, const DocumentOptions &options)
{
    const auto document = openDocument(path);
    if (!document)
        return CommandFailed;
    applyMomentAndPlace(options);
    if (needsTheSun(document->modules))
        warnWhenThePlaceIsNotKnown();
    bool anyEvent = false;
    if (!encodeDocumentEvents(document->modules, options.repeat.value_or(document->eventRepeat), &anyEvent))
        return CommandFailed;
    const int count = anyEvent ? NumEvents : 0;
    if (options.json) {
        DateTimeRec now;
        SecondsToDate(GetDateTime(), &now);
        std::vector<std::string> records;
        for (int number = 0; number < count; ++number)
            records.push_back(timerRecordJson(number, CP290TimerEvent[number]));
        printJson(jsonObject({{"now", jsonString(formatIsoDateTime(now))}, {"records", jsonArray(records)}}));
        return Done;
    }

    for (int number = 0; number < count; ++number)
        std::printf("%s\n", timerRecordHex(CP290TimerEvent[number]).c_str());
    std::printf("\n%s", listingLines(driverRecords(count)).c_str());
    return Done;
}

int sun(const DocumentOptions &options)
{
    applyMomentAndPlace(options);
    warnWhenThePlaceIsNotKnown();
    SetRiseSetTimes();
    if (options.json) {
        DateTimeRec today;
        SecondsToDate(GetDateTime(), &today);
        printJson(jsonObject({{"date", jsonString(formatIsoDate(today))},
                              {"sunrise", clockTimeJson(gSunriseTime)},
                              {"sunset", clockTimeJson(gSunsetTime)}}));
        return Done;
    }
    if (gSunriseTime == SunNeverRisesOrSets) {
        std::printf("no sunrise or sunset\n");
        return Done;
    }
    std::printf("sunrise %s sunset %s\n", clockTimeText(gSunriseTime).c_str(), clockTimeText(gSunsetTime).c_str());
    return Done;
}

void printScheduledDay(const ScheduledDay &day)
{
    DateTimeRec date;
    SecondsToDate(day.midnight, &date);
    std::printf("%s %s  sunrise %s  sunset %s  ", shortWeekdayName(date), formatIsoDate(date).c_str(),
                clockTimeText(day.sun.sunrise).c_str(), clockTimeText(day.sun.sunset).c_str());
    if (day.tooManyEvents)
        std::printf("more than %d records\n%s: %s\n", CP290TimerRecordCount, TooManyEventsTitle, TooManyEventsMessage);
    else
        std::printf("%zu of %d records%s\n", day.records.size(), CP290TimerRecordCount, day.kept ? "," : "");
    if (day.kept)
        std::printf("%s%s\n", day.tooManyEvents ? "" : "  ", keptText(day).c_str());
    if (!day.kept || day.keptFrom)
        std::printf("%s", listingLines(day.records).c_str());
    std::printf("\n");
}

std::string scheduledDayJson(const ScheduledDay &day)
{
    DateTimeRec date;
    SecondsToDate(day.midnight, &date);
    std::vector<std::string> records;
    for (std::size_t number = 0; number < day.records.size(); ++number) {
        uint8_t record[CP290TimerRecordSize];
        std::copy(day.records[number].begin(), day.records[number].end(), record);
        records.push_back(timerRecordJson(static_cast<int>(number), record));
    }
    std::string keptFrom = JsonNull;
    if (day.keptFrom) {
        DateTimeRec from;
        SecondsToDate(*day.keptFrom, &from);
        keptFrom = jsonString(formatIsoDate(from));
    }
    return jsonObject({{"date", jsonString(formatIsoDate(date))},
                       {"sunrise", clockTimeJson(day.sun.sunrise)},
                       {"sunset", clockTimeJson(day.sun.sunset)},
                       {"tooManyEvents", jsonBool(day.tooManyEvents)},
                       {"kept", jsonBool(day.kept)},
                       {"keptFrom", keptFrom},
                       {"records", jsonArray(records)}});
}

int schedule(const std::string &path, const DocumentOptions &options)
{
    const auto document = openDocument(path);
    if (!document)
        return CommandFailed;
    if (options.location)
        setLocationOverride(options.location);
    if (needsTheSun(document->modules))
        warnWhenThePlaceIsNotKnown();
    const auto days = weekSchedule(document->modules, options.repeat.value_or(document->eventRepeat),
                                   options.from.value_or(GetDateTime()), options.days);
    if (options.json) {
        std::vector<std::string> items;
        for (const ScheduledDay &day : days)
            items.push_back(scheduledDayJson(day));
        printJson(jsonObject({{"days", jsonArray(items)}}));
        return Done;
    }
    for (const ScheduledDay &day : days)
        printScheduledDay(day);
    return Done;
}

int describe(const std::string &path)
{
    const auto document = openDocument(path);
    if (!document)
        return CommandFailed;
    std::fputs(documentOutlineText(document->modules).c_str(), stdout);
    return Done;
}

int parse(const std::string &path, int moduleNumber, int eventNumber, const std::string &text, bool write)
{
    auto document = openDocument(path);
    if (!document)
        return CommandFailed;
    if (moduleNumber > static_cast<int>(document->modules.size())) {
        std::fprintf(stderr, "tavorin-cli: the document has %zu modules.\n", document->modules.size());
        return CommandFailed;
    }
    Module &module = document->modules[moduleNumber - 1];
    if (eventNumber > static_cast<int>(module.events.size())) {
        std::fprintf(stderr, "tavorin-cli: module %d has %zu events.\n", moduleNumber, module.events.size());
        return CommandFailed;
    }
    storeEventText(module, static_cast<std::size_t>(eventNumber - 1), text);
    std::printf("%s\n", eventDescription(module.events[eventNumber - 1]).c_str());
    std::string error;
    if (write && !writeDocumentFile(path, *document, &error)) {
        std::fprintf(stderr, "tavorin-cli: \"%s\" cannot be written: %s.\n", path.c_str(), error.c_str());
        return CommandFailed;
    }
    return Done;
}

int prepareParse(const CommandLine &line, Action *action)
{
    const std::vector<std::string> &rest = line.operands;
    const bool write = line.has("--write");
    if (rest.size() != 4)
        return usage("'parse' takes a document file, a module number, an event number and the text");
    const auto moduleNumber = wholeNumber(rest[1], 1, 100000);
    const auto eventNumber = wholeNumber(rest[2], 1, 100000);
    if (!moduleNumber || !eventNumber)
        return usage("modules and events are numbered from 1");
    *action = [path = rest[0], module = *moduleNumber, event = *eventNumber, text = rest[3], write] {
        return parse(path, module, event, text, write);
    };
    return Done;
}

}  // namespace

bool documentCommandNeedsDevice(const std::string &command)
{
    return command == "send";
}

int prepareDocumentCommand(const CommandLine &line, Action *action)
{
    if (line.command == "parse")
        return prepareParse(line, action);
    if (line.command == "describe") {
        if (line.operands.size() != 1)
            return usage("'describe' takes one document file");
        *action = [path = line.operands[0]] { return describe(path); };
        return Done;
    }
    DocumentOptions options;
    options.json = line.json;
    if (const int status = readOptions(line, &options); status != Done)
        return status;
    const std::vector<std::string> &rest = line.operands;

    if (line.command == "sun") {
        if (!rest.empty())
            return usage("'sun' takes only --date and --location");
        *action = [options] { return sun(options); };
        return Done;
    }
    if (rest.size() != 1)
        return usage("'" + line.command + "' takes one document file");
    const std::string path = rest[0];
    if (line.command == "send")
        *action = [path, options] { return send(path, options); };
    else if (line.command == "schedule")
        *action = [path, options] { return schedule(path, options); };
    else
        *action = [path, options] { return plan(path, options); };
    return Done;
}
