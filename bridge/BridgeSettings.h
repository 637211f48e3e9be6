#pragma once

#include "bridge/MqttConnection.h"

#include <optional>
#include <string>

// The bridge's settings as the Preferences keep them, in the helper's own settings file (written
// readable by the user only, since it holds the password).
struct BridgeSettings {
    std::string broker;  // "mqtt://host:port" as typed; empty: no bridge
    std::string user;
    std::string password;
    std::string prefix = DefaultPrefix;

    static constexpr char DefaultPrefix[] = "homeassistant";
    bool operator==(const BridgeSettings &) const = default;
};

BridgeSettings readBridgeSettings();
bool writeBridgeSettings(const BridgeSettings &settings);

// The login the settings give: nothing, with `problem` empty, when no broker is set; nothing with
// `problem` saying why when what is set cannot be used. A user in the broker address stands unless
// the user field names one.
std::optional<BrokerLogin> brokerLogin(const BridgeSettings &settings, std::string *problem);

// The command line's broker in place of the Preferences': the address and, from a file of its own
// (its first line), the password.
std::optional<BrokerLogin> commandLineBrokerLogin(const std::string &address, const std::string &passwordFile,
                                                  std::string *problem);

// Whether a discovery prefix can be one: topic levels without wildcards, nothing empty.
bool isDiscoveryPrefix(const std::string &prefix);
