#include "bridge/BridgeSettings.h"

#include "platform/FileContents.h"
#include "platform/UserDefaultsFile.h"

namespace {

constexpr char BrokerKey[] = "MQTT Broker";
constexpr char UserKey[] = "MQTT User";
constexpr char PasswordKey[] = "MQTT Password";
constexpr char PrefixKey[] = "MQTT Discovery Prefix";

std::nullopt_t refuse(std::string *problem, const std::string &why)
{
    *problem = why;
    return std::nullopt;
}

}  // namespace

BridgeSettings readBridgeSettings()
{
    BridgeSettings settings;
    settings.broker = readApplicationDefault(BrokerKey, HelperDomain).value_or("");
    settings.user = readApplicationDefault(UserKey, HelperDomain).value_or("");
    settings.password = readApplicationDefault(PasswordKey, HelperDomain).value_or("");
    if (const auto prefix = readApplicationDefault(PrefixKey, HelperDomain); prefix && !prefix->empty())
        settings.prefix = *prefix;
    return settings;
}

bool writeBridgeSettings(const BridgeSettings &settings)
{
    return writePrivateDefaults({{BrokerKey, settings.broker},
                                 {UserKey, settings.user},
                                 {PasswordKey, settings.password},
                                 {PrefixKey, settings.prefix}},
                                HelperDomain);
}

bool isDiscoveryPrefix(const std::string &prefix)
{
    if (prefix.empty() || prefix.front() == '/' || prefix.back() == '/' || prefix.find("//") != std::string::npos)
        return false;
    for (const char c : prefix)
        if (c == '+' || c == '#' || static_cast<unsigned char>(c) <= ' ')
            return false;
    return true;
}

std::optional<BrokerLogin> brokerLogin(const BridgeSettings &settings, std::string *problem)
{
    problem->clear();
    if (settings.broker.empty())
        return std::nullopt;
    std::string why;
    const auto address = readBrokerAddress(settings.broker, &why);
    if (!address)
        return refuse(problem, why);
    BrokerLogin login {*address, settings.password};
    if (!settings.user.empty())
        login.address.user = settings.user;
    if (!login.password.empty() && login.address.user.empty())
        return refuse(problem, "a password needs a user name");
    if (!isDiscoveryPrefix(settings.prefix))
        return refuse(problem, "the discovery prefix \"" + settings.prefix + "\" cannot be a topic prefix");
    return login;
}

std::optional<BrokerLogin> commandLineBrokerLogin(const std::string &address, const std::string &passwordFile,
                                                  std::string *problem)
{
    std::string why;
    const auto broker = readBrokerAddress(address, &why);
    if (!broker)
        return refuse(problem, why);
    BrokerLogin login {*broker, {}};
    if (!passwordFile.empty()) {
        const auto text = readFileContents(passwordFile, &why);
        if (!text)
            return refuse(problem, "cannot read the password file " + passwordFile + ": " + why);
        login.password = text->substr(0, text->find_first_of("\r\n"));
        if (login.address.user.empty())
            return refuse(problem, "a password needs a user name: give it in the address, mqtt://USER@HOST");
    }
    return login;
}
