#include "document/DownloadedModules.h"

#include "document/ModulePropertyList.h"
#include "platform/Base64.h"
#include "platform/UserDefaultsFile.h"

// Both values are property-list data in the settings file: the modules as a binary property list
// with their events in the machine's own order, the counts as their two bytes, each in base64.

bool rememberDownloadedModules(const std::vector<Module> &modules, const ClassicEventRepeat &eventRepeat)
{
    const PropertyListNode array(modulesToPropertyList(modules));
    const std::string repeat = {static_cast<char>(eventRepeat.OnRepeat), static_cast<char>(eventRepeat.OffRepeat)};
    return writeApplicationDefaults({{"Modules", base64Encoded(propertyListBinary(array.get()))},
                                     {"EventRepeat", base64Encoded(repeat)}});
}

std::optional<DownloadedModules> recallDownloadedModules()
{
    const auto modulesText = readApplicationDefault("Modules");
    const auto repeatText = readApplicationDefault("EventRepeat");
    if (!modulesText || !repeatText)
        return std::nullopt;
    const auto modulesBytes = base64Decoded(*modulesText);
    const auto repeatBytes = base64Decoded(*repeatText);
    if (!modulesBytes || !repeatBytes || repeatBytes->size() < 2)
        return std::nullopt;
    const PropertyListNode array = parsePropertyList(*modulesBytes);
    std::string error;
    auto modules = modulesFromPropertyList(array.get(), &error);
    if (!modules)
        return std::nullopt;
    return DownloadedModules {std::move(*modules),
                              {static_cast<uint8_t>((*repeatBytes)[0]), static_cast<uint8_t>((*repeatBytes)[1])}};
}
