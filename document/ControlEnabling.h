#pragma once

#include "model/Records.h"

#include <optional>
#include <vector>

// Which of the document window's controls the selection and the module allow.

// What the module's unit number and type allow, and what they make of its type: the "All
// Lights" and "All Modules" rows have no type, any other module without one is an appliance.
struct ModuleControls {
    int64_t type;
    bool onButton;              // the direct On command
    bool offButton;             // the direct Off command
    bool selectedBrightness;    // the direct brightness slider: lights only
    bool onSwitch;              // the editor's On choice: not for "All Modules"
    std::optional<bool> eventBrightness;  // the editor's brightness; nothing: left as it is
    bool eventOff = false;      // the editor's choice goes to Off
    bool fullBrightness = false;  // the editor's slider goes back to 9
};
ModuleControls moduleControlsFor(const Module &module);

// A selected row: its level (0 a module, 1 an event) and its module.
struct SelectedRow {
    int level;
    const Module *module;
};

struct DirectControls {
    bool on = false, off = false, brightness = false;  // the direct commands
    bool newEvent = false, deleteRows = false, edit = false, endEdit = false;
    bool editorShown = false;  // exactly one event: the drawer shows the event editor
};
DirectControls directControlsFor(const std::vector<SelectedRow> &selected);
