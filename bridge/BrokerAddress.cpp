#include "bridge/BrokerAddress.h"

#include <algorithm>
#include <cctype>

namespace {

std::nullopt_t refuse(std::string *problem, const std::string &why)
{
    if (problem)
        *problem = why;
    return std::nullopt;
}

bool isHostCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_';
}

}  // namespace

std::optional<BrokerAddress> readBrokerAddress(const std::string &text, std::string *problem)
{
    BrokerAddress address;
    std::string rest = text;
    const std::size_t scheme = rest.find("://");
    if (scheme != std::string::npos) {
        const std::string name = rest.substr(0, scheme);
        if (name == "mqtts")
            address.tls = true;
        else if (name != "mqtt")
            return refuse(problem, "the broker address must begin with mqtt:// or mqtts://");
        rest = rest.substr(scheme + 3);
    }
    address.port = address.tls ? MqttTlsPort : MqttPort;
    if (!rest.empty() && rest.back() == '/')
        rest.pop_back();
    if (const std::size_t at = rest.rfind('@'); at != std::string::npos) {
        address.user = rest.substr(0, at);
        rest = rest.substr(at + 1);
        if (address.user.find(':') != std::string::npos)
            return refuse(problem, "a password does not belong in the broker address: give it in a file with "
                                   "--mqtt-password-file, or in the Preferences");
        if (address.user.empty())
            return refuse(problem, "the user name before '@' is empty");
    }
    std::string host = rest;
    if (!rest.empty() && rest.front() == '[') {
        const std::size_t close = rest.find(']');
        if (close == std::string::npos)
            return refuse(problem, "the IPv6 address has no closing ']'");
        host = rest.substr(1, close - 1);
        rest = rest.substr(close + 1);
        if (!rest.empty() && rest.front() != ':')
            return refuse(problem, "text after the IPv6 address");
        if (host.empty() || !std::all_of(host.begin(), host.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) || c == ':' || c == '.'; }))
            return refuse(problem, "the IPv6 address is not one");
    } else {
        const std::size_t colon = rest.find(':');
        host = rest.substr(0, colon);
        rest = colon == std::string::npos ? std::string() : rest.substr(colon);
        if (host.empty())
            return refuse(problem, "the broker address names no host");
        if (!std::all_of(host.begin(), host.end(), isHostCharacter))
            return refuse(problem, "the host name \"" + host + "\" holds characters a host name cannot");
    }
    if (!rest.empty()) {
        const std::string digits = rest.substr(1);
        if (digits.empty() || digits.size() > 5 || !std::all_of(digits.begin(), digits.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
            return refuse(problem, "the port must be a number from 1 to 65535");
        address.port = std::stoi(digits);
        if (address.port < 1 || address.port > 65535)
            return refuse(problem, "the port must be a number from 1 to 65535");
    }
    address.host = host;
    return address;
}

std::string brokerAddressText(const BrokerAddress &address)
{
    std::string text = address.tls ? "mqtts://" : "mqtt://";
    if (!address.user.empty())
        text += address.user + "@";
    text += address.host.find(':') != std::string::npos ? "[" + address.host + "]" : address.host;
    if (address.port != (address.tls ? MqttTlsPort : MqttPort))
        text += ":" + std::to_string(address.port);
    return text;
}
