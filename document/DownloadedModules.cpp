#include "document/DownloadedModules.h"

#include "document/ModulePropertyList.h"
#include "platform/Base64.h"
#include "platform/UserDefaultsFile.h"

#include <sys/stat.h>

// Both values are property-list data in the settings file: the modules as a binary property list
// with their events in the machine's own order, the counts as their two bytes, each in base64.

bool rememberDownloadedModules(const std::vector<Module> &modules, const ClassicEventRepeat &eventRepeat)
{
    const PropertyListNode array(modulesToPropertyList(modules));
    const std::string repeat = {static_cast<char>(eventRepeat.OnRepeat), static_cast<char>(eventRepeat.OffRepeat)};
    return writeApplicationDefaults({{"Modules", base64Encoded(propertyListBinary(array.get()))},
                                     {"EventRepeat", base64Encoded(repeat)}});
}

std::optional<DownloadedModules> recallDownloadedModules(std::string *problem)
{
    const auto modulesText = readApplicationDefault("Modules");
    const auto repeatText = readApplicationDefault("EventRepeat");
    if (!modulesText || !repeatText)
        return std::nullopt;
    const auto refused = [problem](const std::string &why) {
        if (problem)
            *problem = why;
        return std::nullopt;
    };
    const auto modulesBytes = base64Decoded(*modulesText);
    const auto repeatBytes = base64Decoded(*repeatText);
    if (!modulesBytes || !repeatBytes || repeatBytes->size() < 2)
        return refused("they are not property-list data");
    std::string error;
    const PropertyListNode array = parsePropertyList(*modulesBytes, &error);
    if (!array.get())
        return refused(error.empty() ? "they are not a property list" : error);
    auto modules = modulesFromPropertyList(array.get(), &error);
    if (!modules)
        return refused(error);
    return DownloadedModules {std::move(*modules),
                              {static_cast<uint8_t>((*repeatBytes)[0]), static_cast<uint8_t>((*repeatBytes)[1])}};
}

bool downloadToRememberedDevice(const std::string &device)
{
    const auto remembered = rememberedSerialDevicePath();
    struct stat sent {}, kept {};
    if (!remembered || stat(device.c_str(), &sent) != 0 || stat(remembered->c_str(), &kept) != 0)
        return false;
    // A device file is the same device by its number; any other file by its inode.
    if (S_ISCHR(sent.st_mode) && S_ISCHR(kept.st_mode))
        return sent.st_rdev == kept.st_rdev;
    return sent.st_dev == kept.st_dev && sent.st_ino == kept.st_ino;
}
