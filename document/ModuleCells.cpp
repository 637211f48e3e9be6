#include "document/ModuleCells.h"

namespace {

int64_t numberIn(const ModuleCellValue &value)
{
    return std::holds_alternative<int64_t>(value) ? std::get<int64_t>(value) : 0;
}

}  // namespace

ModuleCellEdit storeModuleCell(Module &module, const std::string &column, const ModuleCellValue &value)
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

    const bool allLights = column == "#" && number == 17;
    const bool allModules = column == "#" && number == 18;
    const bool appliance = column == "T" && number == ModuleTypeAppliance;
    if (!allLights && !allModules && !appliance)
        return {false, true};
    for (auto event = module.events.rbegin(); event != module.events.rend(); ++event) {
        if (allLights) {
            event->Flags |= EventOn;
        } else if (allModules) {
            event->Brightness = 9;
            event->Flags &= static_cast<uint16_t>(~EventOn);
        } else {
            event->Brightness = 9;
        }
    }
    return {true, true};
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
