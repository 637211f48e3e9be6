#include "document/OutlineText.h"

#include "document/EventDescription.h"
#include "document/FieldFormatters.h"

std::string documentOutlineText(const std::vector<Module> &modules)
{
    std::string text;
    for (const Module &module : modules) {
        text += houseCodeFormatter::stringForObjectValue(module.houseCode) + "\t"
            + moduleNumberFormatter::stringForObjectValue(module.unit) + "\t"
            + moduleTypeFormatter::stringForObjectValue(module.type) + "\t" + module.name + "\n";
        for (const Event &event : module.events)
            text += "\t" + eventDescription(event) + "\n";
    }
    return text;
}
