#include "platform/Location.h"

#include "platform/DateTime.h"
#include "platform/FileContents.h"
#include "platform/UserDefaultsFile.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::optional<Location> &overriddenLocation()
{
    static std::optional<Location> location;
    return location;
}

std::optional<double> number(const std::optional<std::string> &text)
{
    if (!text || text->empty())
        return std::nullopt;
    char *end = nullptr;
    const double value = std::strtod(text->c_str(), &end);
    if (*end != '\0' || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// "+4043" or "+404251" (degrees, minutes, seconds) and likewise with three digits of degrees.
std::optional<double> coordinate(const std::string &text, std::size_t degreeDigits)
{
    if (text.size() != degreeDigits + 3 && text.size() != degreeDigits + 5)
        return std::nullopt;
    if (text[0] != '+' && text[0] != '-')
        return std::nullopt;
    for (std::size_t i = 1; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
    const double degrees = std::stoi(text.substr(1, degreeDigits));
    const double minutes = std::stoi(text.substr(1 + degreeDigits, 2));
    const double seconds = text.size() == degreeDigits + 5 ? std::stoi(text.substr(3 + degreeDigits, 2)) : 0;
    const double value = degrees + minutes / 60 + seconds / 3600;
    return text[0] == '-' ? -value : value;
}

std::string fileText(const std::string &path)
{
    return readFileContents(path).value_or(std::string());
}

}  // namespace

int32_t FracMul(Fract fraction, int32_t whole)
{
    const int64_t product = int64_t(fraction) * whole;
    return static_cast<int32_t>((product + (int64_t(1) << 29)) >> 30);
}

Fract degreesAsFract(double degrees)
{
    const double fraction = std::round(degrees / 90.0 * double(1 << 30));
    return static_cast<Fract>(std::clamp(fraction, double(INT32_MIN), double(INT32_MAX)));
}

std::optional<Location> zoneCoordinates(const std::string &tableText, const std::string &zoneName)
{
    std::istringstream lines(tableText);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string countries, coordinates, zone;
        if (!std::getline(fields, countries, '\t') || !std::getline(fields, coordinates, '\t')
            || !std::getline(fields, zone, '\t') || zone != zoneName)
            continue;
        const auto split = coordinates.find_first_of("+-", 1);
        if (split == std::string::npos)
            return std::nullopt;
        const auto latitude = coordinate(coordinates.substr(0, split), 2);
        const auto longitude = coordinate(coordinates.substr(split), 3);
        if (!latitude || !longitude)
            return std::nullopt;
        return Location {*latitude, *longitude, 0};
    }
    return std::nullopt;
}

std::string systemTimeZoneName()
{
    if (const char *tz = std::getenv("TZ"); tz && *tz) {
        const std::string name = tz[0] == ':' ? tz + 1 : tz;
        const std::string marker = "zoneinfo/";
        const auto at = name.find(marker);
        return at == std::string::npos ? name : name.substr(at + marker.size());
    }
    std::error_code error;
    const std::string target = std::filesystem::read_symlink("/etc/localtime", error).string();
    const std::string marker = "zoneinfo/";
    if (const auto at = target.find(marker); !error && at != std::string::npos)
        return target.substr(at + marker.size());
    std::string name = fileText("/etc/timezone");
    while (!name.empty() && (name.back() == '\n' || name.back() == ' '))
        name.pop_back();
    return name;
}

std::string zoneLinkTarget(const std::string &linkTable, const std::string &zoneName)
{
    std::string name = zoneName;
    // Links lead to zones, but a table may chain them: follow a few, never round in a circle.
    for (int hop = 0; hop < 8; ++hop) {
        std::istringstream lines(linkTable);
        std::string line, next;
        while (next.empty() && std::getline(lines, line)) {
            std::istringstream fields(line);
            std::string kind, target, link;
            if (fields >> kind >> target >> link && kind == "L" && link == name)
                next = target;
        }
        if (next.empty())
            return name;
        name = next;
    }
    return name;
}

namespace {

const char *const ZoneFolder = "/usr/share/zoneinfo/";

std::optional<Location> zonePlace(const std::string &zone)
{
    const auto inTables = [](const std::string &name) -> std::optional<Location> {
        for (const char *table : {"zone1970.tab", "zone.tab"})
            if (const auto found = zoneCoordinates(fileText(std::string(ZoneFolder) + table), name))
                return found;
        return std::nullopt;
    };
    if (zone.empty())
        return std::nullopt;
    if (const auto found = inTables(zone))
        return found;
    if (const auto found = inTables(zoneLinkTarget(fileText(std::string(ZoneFolder) + "tzdata.zi"), zone)))
        return found;
    // Where the zone files are themselves links ("US/Eastern" -> "../America/New_York").
    std::error_code error;
    const std::string target = std::filesystem::canonical(ZoneFolder + zone, error).string();
    if (!error && target.rfind(ZoneFolder, 0) == 0)
        return inTables(target.substr(std::string(ZoneFolder).size()));
    return std::nullopt;
}

}  // namespace

int32_t zoneOffsetOnDay(uint32_t moment)
{
    DateTimeRec date;
    SecondsToDate(moment, &date);
    struct tm local {};
    local.tm_year = date.year - 1900;
    local.tm_mon = date.month - 1;
    local.tm_mday = date.day;
    local.tm_min = 1;
    local.tm_isdst = -1;
    const time_t instant = mktime(&local);
    struct tm back {};
    localtime_r(&instant, &back);
    return static_cast<int32_t>(back.tm_gmtoff);
}

bool offsetFollowsTheZone(int32_t offset, uint32_t moment)
{
    DateTimeRec date;
    SecondsToDate(moment, &date);
    // Mid-winter and mid-summer of either hemisphere: the zone's two offsets of that year.
    for (const int month : {1, 7})
        if (offset == zoneOffsetOnDay(DateToSeconds(makeDateTimeRec(date.year, month, 1))))
            return true;
    return false;
}

ZoneLocation locationFromTimeZone()
{
    ZoneLocation zone;
    if (const auto place = zonePlace(systemTimeZoneName())) {
        zone.location = *place;
        zone.placeKnown = true;
    }
    zone.location.gmtOffset = zoneOffsetOnDay(GetDateTime());
    return zone;
}

std::optional<Location> locationFromPreferences()
{
    const auto latitude = number(readApplicationDefault("Latitude"));
    const auto longitude = number(readApplicationDefault("Longitude"));
    const auto offset = number(readApplicationDefault("GMT Offset"));
    if (!latitude || !longitude || !offset)
        return std::nullopt;
    const auto stored = static_cast<int32_t>(*offset);
    const uint32_t today = GetDateTime();
    return Location {*latitude, *longitude, offsetFollowsTheZone(stored, today) ? zoneOffsetOnDay(today) : stored};
}

Location currentLocation()
{
    if (const auto &forced = overriddenLocation())
        return *forced;
    if (const auto preferred = locationFromPreferences())
        return *preferred;
    return locationFromTimeZone().location;
}

bool locationIsKnown()
{
    return overriddenLocation() || locationFromPreferences() || locationFromTimeZone().placeKnown;
}

void setLocationOverride(std::optional<Location> location)
{
    overriddenLocation() = location;
}

std::optional<Location> locationOverride()
{
    return overriddenLocation();
}

void ReadLocation(MachineLocation *location)
{
    const Location current = currentLocation();
    location->latitude = degreesAsFract(current.latitude);
    location->longitude = degreesAsFract(current.longitude);
    location->gmtDelta = current.gmtOffset & 0x00FFFFFF;
}
