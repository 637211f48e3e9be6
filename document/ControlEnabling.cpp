#include "document/ControlEnabling.h"

#include "driver/DeviceOperations.h"

ModuleControls moduleControlsFor(const Module &module)
{
    if (module.unit == CP290AllLightsUnit)
        return {ModuleTypeNone, false, false, false, true, false, false, true};
    if (module.unit == CP290AllModulesUnit)
        return {ModuleTypeNone, false, false, false, false, std::nullopt, true, false};
    if (module.type == ModuleTypeLight)
        return {ModuleTypeLight, true, true, true, true, true, false, false};
    return {ModuleTypeAppliance, true, true, false, true, false, false, true};
}

DirectControls directControlsFor(const std::vector<SelectedRow> &selected)
{
    DirectControls controls;
    if (selected.empty())
        return controls;
    controls.deleteRows = true;
    if (selected.size() == 1) {
        controls.newEvent = controls.edit = controls.endEdit = true;
        if (selected[0].level == 1) {
            controls.editorShown = true;
            return controls;
        }
        const ModuleControls module = moduleControlsFor(*selected[0].module);
        controls.on = module.onButton;
        controls.off = module.offButton;
        controls.brightness = module.selectedBrightness;
        return controls;
    }
    // Several rows: the selected modules are switched together, unless one of them stands for
    // every unit of its house; lights among them can be dimmed.
    bool light = false;
    for (const SelectedRow &row : selected) {
        if (row.level != 0)
            continue;
        if (row.module->type == ModuleTypeLight)
            light = true;
        else if (row.module->unit >= CP290AllLightsUnit)
            return controls;
    }
    controls.on = controls.off = true;
    controls.brightness = light;
    return controls;
}
