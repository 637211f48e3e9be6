#include "bridge/BridgeCommands.h"

#include "document/DirectCommand.h"
#include "driver/DeviceOperations.h"
#include "platform/JsonReading.h"
#include "platform/JsonText.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int PlainOn = 9;

std::nullopt_t refuse(std::string *problem, const std::string &why)
{
    if (problem)
        *problem = why;
    return std::nullopt;
}

std::optional<BridgeCommand> readLightCommand(BridgeCommand command, const std::string &payload, std::string *problem)
{
    std::string notJson;
    const std::optional<JsonValue> value = readJson(payload, &notJson);
    if (!value)
        return refuse(problem, "not JSON (" + notJson + ")");
    const JsonValue *state = value->member("state");
    if (!state || !state->string() || (*state->string() != "ON" && *state->string() != "OFF"))
        return refuse(problem, "\"state\" must be \"ON\" or \"OFF\"");
    command.on = *state->string() == "ON";
    if (const JsonValue *brightness = value->member("brightness"); brightness && command.on) {
        const double *level = brightness->number();
        if (!level || *level != std::floor(*level) || *level < 1 || *level > 255)
            return refuse(problem, "\"brightness\" must be a whole number from 1 to 255");
        command.brightness = brightnessOfHomeAssistant(static_cast<int>(*level));
    }
    return command;
}

std::string lightState(bool on, int brightness)
{
    if (!on)
        return jsonObject({{"state", jsonString("OFF")}});
    return jsonObject({{"state", jsonString("ON")},
                       {"brightness", jsonNumber(homeAssistantBrightness(brightness))},
                       {"color_mode", jsonString("brightness")}});
}

std::string stateOf(const BridgeEntity &entity, bool on, int brightness)
{
    if (entity.kind == EntityKind::Light)
        return lightState(on, brightness);
    return on ? "ON" : "OFF";
}

}  // namespace

int brightnessOfHomeAssistant(int value)
{
    if (value >= 255)
        return PlainOn;
    return std::clamp(static_cast<int>(std::lround(value * 8.0 / 255.0)), 1, 8);
}

int homeAssistantBrightness(int brightness)
{
    if (brightness >= PlainOn)
        return 255;
    return static_cast<int>(std::lround(brightness * 255.0 / 8.0));
}

std::optional<BridgeCommand> readEntityCommand(const BridgeEntity &entity, const std::string &payload, std::string *problem)
{
    BridgeCommand command;
    command.entity = entity;
    switch (entity.kind) {
    case EntityKind::Light:
        return readLightCommand(command, payload, problem);
    case EntityKind::Switch:
        if (payload != "ON" && payload != "OFF")
            return refuse(problem, "a switch takes \"ON\" or \"OFF\"");
        command.on = payload == "ON";
        return command;
    case EntityKind::Button:
        if (payload != "PRESS")
            return refuse(problem, "a button takes \"PRESS\"");
        command.on = entity.role != EntityRole::AllModules;
        return command;
    case EntityKind::Sensor:
        break;
    }
    return refuse(problem, "a sensor takes no command");
}

std::optional<SwitchingCommand> switchingCommand(const BridgeCommand &command)
{
    const BridgeEntity &entity = command.entity;
    switch (entity.role) {
    case EntityRole::Module: {
        Module module;
        module.type = entity.kind == EntityKind::Light ? ModuleTypeLight : ModuleTypeAppliance;
        return SwitchingCommand {entity.houseIndex, entity.unit, directCommandByte(module, command.on, command.brightness)};
    }
    case EntityRole::AllLights:
        return SwitchingCommand {entity.houseIndex, CP290AllLightsUnit, CP290FunctionOn};
    case EntityRole::AllModules:
        return SwitchingCommand {entity.houseIndex, CP290AllModulesUnit, CP290FunctionOff};
    default:
        return std::nullopt;
    }
}

std::vector<std::pair<BridgeEntity, std::string>> statesAfter(const std::vector<BridgeEntity> &entities,
                                                              const BridgeCommand &command)
{
    std::vector<std::pair<BridgeEntity, std::string>> states;
    const EntityRole role = command.entity.role;
    if (role == EntityRole::Module)
        states.emplace_back(command.entity, stateOf(command.entity, command.on, command.brightness));
    if (role != EntityRole::AllLights && role != EntityRole::AllModules)
        return states;
    for (const BridgeEntity &entity : entities) {
        if (entity.role != EntityRole::Module || entity.houseIndex != command.entity.houseIndex)
            continue;
        if (role == EntityRole::AllModules)
            states.emplace_back(entity, stateOf(entity, false, PlainOn));
        else if (entity.kind == EntityKind::Light)
            states.emplace_back(entity, stateOf(entity, true, PlainOn));
    }
    return states;
}

std::string commandText(const BridgeCommand &command)
{
    const BridgeEntity &entity = command.entity;
    if (entity.kind == EntityKind::Button)
        return entity.name;
    std::string text = entity.name + (command.on ? " on" : " off");
    if (entity.kind == EntityKind::Light && command.on && command.brightness < PlainOn) {
        const int tenths = command.brightness * 125;
        text += " at " + std::to_string(tenths / 10) + (tenths % 10 ? "." + std::to_string(tenths % 10) : "") + " %";
    }
    return text;
}
