#pragma once

#include <optional>
#include <string>

// Where the MQTT broker is, as the user writes it: "mqtt://[user@]host[:port]", or "mqtts://" for
// TLS checked against the system's certificates. A password is never part of it: it comes from a
// file or the Preferences, so that it shows on no command line.
struct BrokerAddress {
    bool tls = false;
    std::string user;
    std::string host;
    int port = 1883;

    bool operator==(const BrokerAddress &) const = default;
};

inline constexpr int MqttPort = 1883;
inline constexpr int MqttTlsPort = 8883;

// The address; nothing, with `problem` saying what is wrong, for any other text. A bare host is
// taken as "mqtt://host".
std::optional<BrokerAddress> readBrokerAddress(const std::string &text, std::string *problem);
// The address as the user writes it, the default port left out.
std::string brokerAddressText(const BrokerAddress &address);
