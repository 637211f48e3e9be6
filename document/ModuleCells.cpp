#include "document/ModuleCells.h"

#include "document/EventTextParser.h"
#include "driver/DeviceOperations.h"

namespace {

int64_t numberIn(const ModuleCellValue &value)
{
    return std::holds_alternative<int64_t>(value) ? std::get<int64_t>(value) : 0;
}

}  // namespace

Event eventInLineWith(const Module &module, Event event)
{
    if (module.unit == CP290AllLightsUnit)
        event.Flags |= EventOn;
    if (module.unit == CP290AllModulesUnit)
        event.Flags &= static_cast<uint16_t>(~EventOn);
    if (module.type == ModuleTypeAppliance || !(event.Flags & EventOn))
        event.Brightness = 9;
    return event;
}

Module moduleInLine(Module module)
{
    for (Event &event : module.events)
        event = eventInLineWith(module, event);
    return module;
}

namespace {

ModuleCellEdit storeCell(Module &module, const std::string &column, const ModuleCellValue &value)
{
    if (column == "N") {
        module.name = std::holds_alternative<std::string>(value) ? std::get<std::string>(value) : module.name;
        return {};
    }
    const int64_t number = numberIn(value);
    if (column == "C") {
        module.houseCode = number;
        return {};
    }
    if (column == "#")
        module.unit = number;
    else if (column == "T")
        module.type = number;
    else
        return {};

    const bool allLights = column == "#" && number == CP290AllLightsUnit;
    const bool allModules = column == "#" && number == CP290AllModulesUnit;
    const bool appliance = column == "T" && number == ModuleTypeAppliance;
    if (!allLights && !allModules && !appliance)
        return {false, true};
    module = moduleInLine(std::move(module));
    return {true, true};
}

}  // namespace

ModuleCellEdit storeModuleCell(Module &module, const std::string &column, const ModuleCellValue &value)
{
    const Module before = module;
    ModuleCellEdit edit = storeCell(module, column, value);
    edit.changed = !(module == before);
    return edit;
}

bool storeEventText(Module &module, std::size_t index, const std::string &text)
{
    Event event = module.events.at(index);
    readEventText(text, event);
    event = eventInLineWith(module, event);
    if (event == module.events[index])
        return false;
    module.events[index] = event;
    return true;
}

int moduleIndexForOutlineRow(const OutlineRows &rows, int row)
{
    for (int r = row; r >= 0; --r)
        if (rows.levelForRow(r) == 0)
            return rows.moduleOfRow(r);
    return 0;
}

int eventIndexForOutlineRow(const OutlineRows &rows, int row)
{
    int count = -1;
    for (int r = row; r >= 0; --r) {
        if (rows.levelForRow(r) == 0)
            return count;
        ++count;
    }
    return 0;
}
