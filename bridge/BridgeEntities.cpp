#include "bridge/BridgeEntities.h"

#include "driver/DeviceOperations.h"
#include "platform/JsonText.h"

#include <cctype>
#include <set>
#include <utility>

namespace {

// A topic level and a unique_id in letters, digits, '-' and '_': no '/', '+', '#' or space.
std::string topicWord(const std::string &text)
{
    std::string word;
    for (const char c : text)
        word += std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' ? c : '_';
    return word.empty() ? "_" : word;
}

char houseLetter(int houseIndex)
{
    return static_cast<char>('A' + houseIndex);
}

std::string lowerHouse(int houseIndex)
{
    return std::string(1, static_cast<char>('a' + houseIndex));
}

bool isCommandable(const BridgeEntity &entity)
{
    return entity.kind != EntityKind::Sensor;
}

}  // namespace

std::string BridgeIdentity::nodeId() const
{
    return "tavorin_" + topicWord(host) + "_" + topicWord(adapter);
}

std::string BridgeIdentity::baseTopic() const
{
    return "tavorin/" + topicWord(host) + "/" + topicWord(adapter);
}

std::string BridgeIdentity::availabilityTopic() const
{
    return baseTopic() + "/availability";
}

std::string BridgeIdentity::outcomeTopic() const
{
    return baseTopic() + "/last_command/state";
}

std::string BridgeIdentity::deviceName() const
{
    return "CP290 on " + adapter;
}

std::vector<BridgeEntity> bridgeEntities(const std::vector<Module> &modules)
{
    std::vector<BridgeEntity> entities;
    std::set<std::pair<int64_t, int64_t>> named;
    std::set<int> houses;
    for (const Module &module : modules) {
        if (module.houseCode < 0 || module.houseCode > 15 || module.unit < 1 || module.unit > CP290AllModulesUnit)
            continue;
        houses.insert(static_cast<int>(module.houseCode));
        if (module.unit >= CP290AllLightsUnit || !named.insert({module.houseCode, module.unit}).second)
            continue;
        BridgeEntity entity;
        entity.kind = module.type == ModuleTypeLight ? EntityKind::Light : EntityKind::Switch;
        entity.houseIndex = static_cast<int>(module.houseCode);
        entity.unit = static_cast<int>(module.unit);
        entity.objectId = lowerHouse(entity.houseIndex) + std::to_string(entity.unit);
        entity.name = module.name;
        entities.push_back(entity);
    }
    for (const int house : houses) {
        const std::string suffix = houses.size() > 1 ? std::string(" ") + houseLetter(house) : std::string();
        entities.push_back({EntityKind::Button, EntityRole::AllLights, "all_lights_" + lowerHouse(house), "All Lights" + suffix, house, CP290AllLightsUnit});
        entities.push_back({EntityKind::Button, EntityRole::AllModules, "all_modules_" + lowerHouse(house), "All Modules" + suffix, house, CP290AllModulesUnit});
    }
    entities.push_back({EntityKind::Button, EntityRole::SendEvents, "send_events", "Send Events Now", 0, 0});
    entities.push_back({EntityKind::Sensor, EntityRole::NextEvent, "next_event", "Next Event", 0, 0});
    entities.push_back({EntityKind::Sensor, EntityRole::LastDownload, "last_download", "Last Download", 0, 0});
    entities.push_back({EntityKind::Sensor, EntityRole::RecordsToday, "records_today", "Records Today", 0, 0});
    entities.push_back({EntityKind::Sensor, EntityRole::LastCommand, "last_command", "Last Command", 0, 0});
    return entities;
}

const char *componentName(EntityKind kind)
{
    switch (kind) {
    case EntityKind::Light: return "light";
    case EntityKind::Switch: return "switch";
    case EntityKind::Button: return "button";
    case EntityKind::Sensor: break;
    }
    return "sensor";
}

std::string configTopic(const BridgeIdentity &identity, const BridgeEntity &entity)
{
    return identity.prefix + "/" + componentName(entity.kind) + "/" + identity.nodeId() + "/" + entity.objectId + "/config";
}

std::string commandTopic(const BridgeIdentity &identity, const BridgeEntity &entity)
{
    return identity.baseTopic() + "/" + entity.objectId + "/set";
}

std::string stateTopic(const BridgeIdentity &identity, const BridgeEntity &entity)
{
    return identity.baseTopic() + "/" + entity.objectId + "/state";
}

std::string attributesTopic(const BridgeIdentity &identity, const BridgeEntity &entity)
{
    return identity.baseTopic() + "/" + entity.objectId + "/attributes";
}

std::string uniqueId(const BridgeIdentity &identity, const BridgeEntity &entity)
{
    return identity.nodeId() + "_" + entity.objectId;
}

std::string discoveryConfig(const BridgeIdentity &identity, const BridgeEntity &entity, const std::string &version)
{
    std::vector<std::pair<std::string, std::string>> members = {
        {"name", jsonString(entity.name)},
        {"unique_id", jsonString(uniqueId(identity, entity))},
        {"availability_topic", jsonString(identity.availabilityTopic())},
        {"payload_available", jsonString("online")},
        {"payload_not_available", jsonString("offline")},
    };
    if (isCommandable(entity))
        members.emplace_back("command_topic", jsonString(commandTopic(identity, entity)));
    if (entity.kind != EntityKind::Button)
        members.emplace_back("state_topic", jsonString(stateTopic(identity, entity)));
    switch (entity.kind) {
    case EntityKind::Light:
        members.emplace_back("schema", jsonString("json"));
        members.emplace_back("supported_color_modes", jsonStrings({"brightness"}));
        members.emplace_back("brightness_scale", jsonNumber(255));
        break;
    case EntityKind::Switch:
        members.emplace_back("payload_on", jsonString("ON"));
        members.emplace_back("payload_off", jsonString("OFF"));
        break;
    case EntityKind::Button:
        members.emplace_back("payload_press", jsonString("PRESS"));
        break;
    case EntityKind::Sensor:
        if (entity.role == EntityRole::LastDownload)
            members.emplace_back("device_class", jsonString("timestamp"));
        if (entity.role == EntityRole::RecordsToday) {
            members.emplace_back("unit_of_measurement", jsonString("of 128"));
            members.emplace_back("state_class", jsonString("measurement"));
        }
        if (entity.role == EntityRole::NextEvent)
            members.emplace_back("json_attributes_topic", jsonString(attributesTopic(identity, entity)));
        break;
    }
    members.emplace_back("device", jsonObject({{"identifiers", jsonStrings({identity.nodeId()})},
                                               {"name", jsonString(identity.deviceName())},
                                               {"manufacturer", jsonString("X10")},
                                               {"model", jsonString("CP290")},
                                               {"sw_version", jsonString("Tavorin " + version)}}));
    members.emplace_back("origin", jsonObject({{"name", jsonString("Tavorin")}, {"sw_version", jsonString(version)}}));
    return jsonObject(members);
}

const BridgeEntity *entityOfCommandTopic(const std::vector<BridgeEntity> &entities, const BridgeIdentity &identity,
                                         const std::string &topic)
{
    for (const BridgeEntity &entity : entities)
        if (isCommandable(entity) && commandTopic(identity, entity) == topic)
            return &entity;
    return nullptr;
}

bool isOwnConfigTopic(const BridgeIdentity &identity, const std::string &topic)
{
    const std::string start = identity.prefix + "/";
    const std::string node = "/" + identity.nodeId() + "/";
    if (topic.rfind(start, 0) != 0 || topic.size() < 7 || topic.compare(topic.size() - 7, 7, "/config") != 0)
        return false;
    const std::string middle = topic.substr(start.size(), topic.size() - 7 - start.size());  // COMPONENT/NODE/OBJECT
    const std::size_t nodeAt = middle.find(node);
    return nodeAt != std::string::npos && middle.find('/') == nodeAt &&
           middle.find('/', nodeAt + node.size()) == std::string::npos && nodeAt + node.size() < middle.size();
}

std::string ownConfigTopics(const BridgeIdentity &identity)
{
    return identity.prefix + "/+/" + identity.nodeId() + "/+/config";
}
