#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

// Access, without the toolkit, to the string user defaults that the application keeps in its
// settings file (~/.config/Tavorin/Tavorin.conf, section [General]), or another domain of ours
// ("Tavorin Helper": ~/.config/Tavorin/Tavorin Helper.conf).
inline constexpr char ApplicationDomain[] = "Tavorin";
inline constexpr char HelperDomain[] = "Tavorin Helper";

std::string settingsFilePath(const std::string &domain);
std::optional<std::string> readApplicationDefault(const std::string &key, const std::string &domain = ApplicationDomain);
std::optional<std::string> readDefaultFromSettingsText(const std::string &settingsText, const std::string &key);

// Sets string defaults in the settings file, keeping every other line; written atomically.
bool writeApplicationDefaults(const std::vector<std::pair<std::string, std::string>> &values,
                              const std::string &domain = ApplicationDomain);
// The same for values no one else may read (a password): the file is made readable by its owner
// only (0600) before they are written.
bool writePrivateDefaults(const std::vector<std::pair<std::string, std::string>> &values,
                          const std::string &domain);
std::string settingsTextWithDefaults(const std::string &settingsText,
                                     const std::vector<std::pair<std::string, std::string>> &values);

struct SerialDeviceFolders;
struct SerialDevice;

// Where the CP290 menu looks for devices: the system's folders and the user default
// "Extra Serial Device Folder".
SerialDeviceFolders userSerialDeviceFolders();
// The remembered device among those scanned: the one whose title "SerialDevice" names; none when no
// scanned device has that title. The CP290 menu, the command line and the helper all pick by it.
std::optional<SerialDevice> rememberedSerialDevice(const std::vector<SerialDevice> &scanned);
// The path of the remembered device among the user's folders' devices, if any.
std::optional<std::string> rememberedSerialDevicePath();
// Remembers a device named by its path, as choosing it in the CP290 menu does: an adapter with a
// stable name by its title, whichever of its names is given; "/dev/ttyUSB0" as "USB0", a "ttyNAME"
// elsewhere as NAME in that extra folder. False for a path of another form.
bool rememberSerialDevicePath(const std::string &path);
