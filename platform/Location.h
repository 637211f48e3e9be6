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

// The preferences "Latitude", "Longitude" and "GMT Offset" when set; otherwise the coordinates of
// the zone's entry in the time-zone tables. The offset is that of the day GetDateTime() falls on
// (see locationFromPreferences).
void ReadLocation(MachineLocation *location);
// A fraction times a whole number, rounded to the nearest whole number.
int32_t FracMul(Fract fraction, int32_t whole);
Fract degreesAsFract(double degrees);

// Where the computer stands on the day GetDateTime() falls on.
Location currentLocation();
// The local zone's offset from Greenwich, in seconds east, at 00:01 of the day `moment` (date
// seconds) falls on: when the helper sends and sets the CP290's clock.
int32_t zoneOffsetOnDay(uint32_t moment);
// Whether a stored offset is one of the local zone's own in the year of `moment` (its winter or
// its summer offset): such an offset follows the zone through the seasons.
bool offsetFollowsTheZone(int32_t offset, uint32_t moment);
// False when nothing says where the computer is: no preferences and a zone (UTC) with no place.
bool locationIsKnown();
// The preferences' place. Latitude and longitude are the user's; a stored "GMT Offset" that is
// one of the zone's own (saved in winter or in summer) follows the zone, taking each day's offset,
// and any other offset (a place in another zone) stays as stored.
std::optional<Location> locationFromPreferences();
// The place of the system's time zone with the zone's offset on the day GetDateTime() falls on;
// the place is missing when the zone has none.
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
