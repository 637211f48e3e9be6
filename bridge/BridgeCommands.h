#pragma once

#include "bridge/BridgeEntities.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

// A command from Home Assistant, read from the payload its entity's schema gives: a light
// {"state": "ON", "brightness": 128} or {"state": "OFF"}, a switch "ON" or "OFF", a button "PRESS".
struct BridgeCommand {
    BridgeEntity entity;
    bool on = true;
    int brightness = 9;  // a light's, 1 to 8 dims, 9 plain on
    bool operator==(const BridgeCommand &) const = default;
};

// The command, or nothing with `problem` saying why the payload is not one the entity takes.
std::optional<BridgeCommand> readEntityCommand(const BridgeEntity &entity, const std::string &payload, std::string *problem);

// Home Assistant's brightness 1 to 255 as the CP290's: 255 plain on, below it the nearest of the
// eight dim levels (each 12.5 %), never below the first.
int brightnessOfHomeAssistant(int value);
// And back: the level's share of 255 (plain on gives 255).
int homeAssistantBrightness(int brightness);

// The switching command a module's command sends: house, unit and the function and level byte.
struct SwitchingCommand {
    int houseIndex = 0;
    int unit = 1;
    uint8_t functionAndLevel = 0;
};
// Nothing for a command that switches no module (the download).
std::optional<SwitchingCommand> switchingCommand(const BridgeCommand &command);

// What the entities show once the command has gone out: the state payload of every entity it
// switched. X10 answers nothing, so the state is the command sent: "All Lights" sets every light
// of its house code on, "All Modules" every light and switch off.
std::vector<std::pair<BridgeEntity, std::string>> statesAfter(const std::vector<BridgeEntity> &entities,
                                                              const BridgeCommand &command);
// The words of the command for the log and the "Last Command" sensor: "Porch Light on at 50 %".
std::string commandText(const BridgeCommand &command);
