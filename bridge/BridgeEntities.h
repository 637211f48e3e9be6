#pragma once

#include "model/Records.h"

#include <string>
#include <vector>

// What Home Assistant sees of one CP290: the entities the bridge announces by MQTT discovery and
// the topics they speak on. Several CP290s may share a broker, on one machine or many: every topic
// and unique_id carries the host and the adapter's name.
struct BridgeIdentity {
    std::string host;     // this machine's name
    std::string adapter;  // the serial device's title, as the CP290 menu shows it
    std::string prefix = "homeassistant";  // the discovery prefix

    // "tavorin_HOST_ADAPTER", in the characters a topic level and a unique_id allow everywhere.
    std::string nodeId() const;
    // "tavorin/HOST/ADAPTER": the bridge's own topics lie below it.
    std::string baseTopic() const;
    std::string availabilityTopic() const;
    // Where the outcome of each command is published: what a command that failed did not do.
    std::string outcomeTopic() const;
    // "CP290 on ADAPTER": the one device the entities are grouped under.
    std::string deviceName() const;
};

enum class EntityKind { Light, Switch, Button, Sensor };

// What a command on the entity does, or, for a sensor, what it reports.
enum class EntityRole { Module, AllLights, AllModules, SendEvents, NextEvent, LastDownload, RecordsToday, LastCommand };

struct BridgeEntity {
    EntityKind kind = EntityKind::Switch;
    EntityRole role = EntityRole::Module;
    std::string objectId;  // unique within the CP290: "a1", "all_lights_a", "send_events"
    std::string name;
    int houseIndex = 0;    // modules and the "All" buttons
    int unit = 0;          // modules
    bool operator==(const BridgeEntity &) const = default;
};

// The entities of the remembered modules: a light for a lamp module, a switch for an appliance
// module (units 1 to 16; one entity for a house code and unit however many modules name it), a
// button "All Lights" and one "All Modules" for each house code in use, then the button "Send
// Events Now" and the sensors.
std::vector<BridgeEntity> bridgeEntities(const std::vector<Module> &modules);

const char *componentName(EntityKind kind);  // "light", "switch", "button", "sensor"
std::string configTopic(const BridgeIdentity &identity, const BridgeEntity &entity);
std::string commandTopic(const BridgeIdentity &identity, const BridgeEntity &entity);
std::string stateTopic(const BridgeIdentity &identity, const BridgeEntity &entity);
// Where a sensor's attributes (JSON) are published.
std::string attributesTopic(const BridgeIdentity &identity, const BridgeEntity &entity);
std::string uniqueId(const BridgeIdentity &identity, const BridgeEntity &entity);

// The discovery config, as Home Assistant's MQTT discovery reads it (JSON).
std::string discoveryConfig(const BridgeIdentity &identity, const BridgeEntity &entity, const std::string &version);

// The entity whose command topic `topic` is; nothing for any other topic.
const BridgeEntity *entityOfCommandTopic(const std::vector<BridgeEntity> &entities, const BridgeIdentity &identity,
                                         const std::string &topic);
// Whether `topic` is one of this CP290's config topics: "PREFIX/COMPONENT/NODE/OBJECT/config".
bool isOwnConfigTopic(const BridgeIdentity &identity, const std::string &topic);
// The wildcard that subscribes to them all.
std::string ownConfigTopics(const BridgeIdentity &identity);
