#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Where the computer stands, for sunrise and sunset.

struct Location {
    double latitude = 0;        // degrees, north positive
    double longitude = 0;       // degrees, east positive
    int32_t gmtOffset = 0;      // seconds east of Greenwich
    friend bool operator==(const Location &, const Location &) = default;
};

// The classic location record: latitude and longitude as 2.30 fixed-point fractions of 90
// degrees, and a word whose low 24 bits are the signed offset from Greenwich in seconds.
using Fract = int32_t;
struct MachineLocation {
    Fract latitude = 0;
    Fract longitude = 0;
    int32_t gmtDelta = 0;
};

// The preferences "Latitude", "Longitude" and "GMT Offset" when set; otherwise the offset of the
// local zone now and the coordinates of the zone's entry in the time-zone tables.
void ReadLocation(MachineLocation *location);
// A fraction times a whole number, rounded to the nearest whole number.
int32_t FracMul(Fract fraction, int32_t whole);
Fract degreesAsFract(double degrees);

Location currentLocation();
// False when nothing says where the computer is: no preferences and a zone (UTC) with no place.
bool locationIsKnown();
std::optional<Location> locationFromPreferences();
// The place of the system's time zone with the offset of the local zone now; the place is
// missing when the zone has none.
struct ZoneLocation {
    Location location;
    bool placeKnown = false;
};
ZoneLocation locationFromTimeZone();
// The command line's --location; an empty override gives the preferences or the zone again.
void setLocationOverride(std::optional<Location> location);
std::optional<Location> locationOverride();

// The coordinates of a zone in a zone1970.tab-style table ("CC\t+DDMM+DDDMM\tZone..." lines).
std::optional<Location> zoneCoordinates(const std::string &tableText, const std::string &zoneName);
// The zone a name stands for, through the "L TARGET LINK" lines of a tzdata.zi-style table
// ("US/Eastern" stands for "America/New_York"); the name itself when it is no link.
std::string zoneLinkTarget(const std::string &linkTable, const std::string &zoneName);
// The name of the system's time zone ("Europe/Paris"), empty when it cannot be told.
std::string systemTimeZoneName();
