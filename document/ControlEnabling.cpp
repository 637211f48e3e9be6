#include "document/ControlEnabling.h"

#include "driver/DeviceOperations.h"

ModuleControls moduleControlsFor(const Module &module)
{
    if (module.unit == CP290AllLightsUnit)
        return {.type = ModuleTypeNone, .onButton = false, .offButton = false, .selectedBrightness = false,
                .onSwitch = true, .eventBrightness = false, .eventOff = false, .fullBrightness = true};
    if (module.unit == CP290AllModulesUnit)
        return {.type = ModuleTypeNone, .onButton = false, .offButton = false, .selectedBrightness = false,
                .onSwitch = false, .eventBrightness = std::nullopt, .eventOff = true, .fullBrightness = false};
    if (module.type == ModuleTypeLight)
        return {.type = ModuleTypeLight, .onButton = true, .offButton = true, .selectedBrightness = true,
                .onSwitch = true, .eventBrightness = true, .eventOff = false, .fullBrightness = false};
    return {.type = ModuleTypeAppliance, .onButton = true, .offButton = true, .selectedBrightness = false,
            .onSwitch = true, .eventBrightness = false, .eventOff = false, .fullBrightness = true};
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
