#include "bridge/MqttConnection.h"

#include "platform/TickPause.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <mosquitto.h>
#include <mutex>

namespace {

constexpr int KeepAliveSeconds = 30;
constexpr char SystemCertificates[] = "/etc/ssl/certs";

void initialiseLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

// A client set up for the login: user, password and TLS; nothing, with `problem`, on failure.
mosquitto *newClient(const std::string &clientId, const BrokerLogin &login, void *self, std::string *problem)
{
    initialiseLibrary();
    // No name: the library makes up one, as a connection that is only a test needs.
    mosquitto *client = mosquitto_new(clientId.empty() ? nullptr : clientId.c_str(), true, self);
    if (!client) {
        *problem = std::string("cannot make an MQTT client: ") + std::strerror(errno);
        return nullptr;
    }
    int code = MOSQ_ERR_SUCCESS;
    if (!login.address.user.empty())
        code = mosquitto_username_pw_set(client, login.address.user.c_str(), login.password.empty() ? nullptr : login.password.c_str());
    if (code == MOSQ_ERR_SUCCESS && login.address.tls)
        code = mosquitto_tls_set(client, nullptr, SystemCertificates, nullptr, nullptr, nullptr);
    if (code != MOSQ_ERR_SUCCESS) {
        *problem = mosquitto_strerror(code);
        mosquitto_destroy(client);
        return nullptr;
    }
    return client;
}

std::string brokerName(const BrokerLogin &login)
{
    return brokerAddressText(login.address);
}

// Why a connection did not come: the broker's refusal, or the network's.
std::string failureText(int code)
{
    if (code == MOSQ_ERR_ERRNO)
        return std::strerror(errno);
    return mosquitto_strerror(code);
}

// The broker's reason for a refusal, as a phrase: "not authorised".
std::string refusalText(int code)
{
    std::string text = mosquitto_connack_string(code);
    const std::string prefix = "Connection Refused: ";
    if (text.rfind(prefix, 0) == 0)
        text.erase(0, prefix.size());
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

}  // namespace

MqttConnection::MqttConnection(const std::string &clientId, BrokerLogin broker, const std::string &will, Handlers handled)
    : login(std::move(broker)), willTopic(will), handlers(std::move(handled))
{
    client = newClient(clientId, login, this, &setupProblem);
}

MqttConnection::~MqttConnection()
{
    stop();
    if (client)
        mosquitto_destroy(client);
}

bool MqttConnection::start(std::string *problem)
{
    if (!client) {
        *problem = setupProblem;
        return false;
    }
    mosquitto_threaded_set(client, true);
    mosquitto_will_set(client, willTopic.c_str(), 7, "offline", 1, true);
    mosquitto_connect_callback_set(client, &MqttConnection::onConnect);
    mosquitto_disconnect_callback_set(client, &MqttConnection::onDisconnect);
    mosquitto_message_callback_set(client, [](mosquitto *, void *self, const mosquitto_message *message) {
        const auto *connection = static_cast<MqttConnection *>(self);
        if (connection->handlers.message)
            connection->handlers.message(message->topic,
                                         std::string(static_cast<const char *>(message->payload), static_cast<std::size_t>(message->payloadlen)),
                                         message->retain);
    });
    thread = std::thread([this] { run(); });
    return true;
}

void MqttConnection::report(const std::string &state, const std::string &line)
{
    if (state == reportedState)
        return;
    reportedState = state;
    if (handlers.log)
        handlers.log(line);
}

void MqttConnection::onConnect(mosquitto *, void *self, int code)
{
    auto *connection = static_cast<MqttConnection *>(self);
    if (code != 0) {
        connection->report("refused " + std::to_string(code), "The MQTT broker " + brokerName(connection->login) +
                                                                  " refused the connection: " + refusalText(code) + ".");
        return;
    }
    connection->failedTries = 0;
    connection->connected = true;
    connection->report("connected", "Connected to the MQTT broker " + brokerName(connection->login) + ".");
    if (connection->handlers.connected)
        connection->handlers.connected();
}

void MqttConnection::onDisconnect(mosquitto *, void *self, int)
{
    static_cast<MqttConnection *>(self)->connected = false;
}

bool MqttConnection::pause(int seconds)
{
    // Scaled as the driver's tick pauses are, so that a test need not wait out the backoff.
    const auto length = std::chrono::duration<double>(seconds * tickScale());
    std::unique_lock<std::mutex> hold(pauseLock);
    return !pauseEnds.wait_for(hold, length, [this] { return stopping.load(); });
}

void MqttConnection::run()
{
    const std::string host = login.address.host;
    int code = mosquitto_connect(client, host.c_str(), login.address.port, KeepAliveSeconds);
    while (!stopping) {
        if (code == MOSQ_ERR_SUCCESS) {
            code = mosquitto_loop(client, 500, 1);
            if (code == MOSQ_ERR_SUCCESS || stopping)
                continue;
            if (connected || reportedState == "connected") {
                connected = false;
                report("lost", "Lost the MQTT broker " + brokerName(login) + " (" + failureText(code) + "); reconnecting.");
            }
        } else if (reportedState.rfind("refused", 0) != 0) {
            report("unreachable", "The MQTT broker " + brokerName(login) + " cannot be reached (" + failureText(code) +
                                      "); trying again.");
        }
        ++failedTries;
        if (!pause(std::min(1 << std::min(failedTries - 1, 6), LongestPause)))
            break;
        code = mosquitto_reconnect(client);
    }
    if (connected) {
        mosquitto_disconnect(client);
        for (int flush = 0; flush < 20 && mosquitto_loop(client, 50, 1) == MOSQ_ERR_SUCCESS; ++flush) {
        }
    }
    connected = false;
}

bool MqttConnection::publish(const std::string &topic, const std::string &payload, bool retain)
{
    if (!client || !connected)
        return false;
    return mosquitto_publish(client, nullptr, topic.c_str(), static_cast<int>(payload.size()), payload.data(), 1, retain) ==
           MOSQ_ERR_SUCCESS;
}

bool MqttConnection::subscribe(const std::string &pattern)
{
    return client && mosquitto_subscribe(client, nullptr, pattern.c_str(), 1) == MOSQ_ERR_SUCCESS;
}

void MqttConnection::stop()
{
    {
        const std::lock_guard<std::mutex> hold(pauseLock);
        stopping = true;
    }
    pauseEnds.notify_all();
    if (thread.joinable())
        thread.join();
}

ConnectionTest testBrokerConnection(const BrokerLogin &login, int seconds)
{
    struct Outcome {
        bool answered = false;
        int code = 0;
    } outcome;
    std::string problem;
    mosquitto *client = newClient("", login, &outcome, &problem);
    if (!client)
        return {false, problem};
    mosquitto_connect_callback_set(client, [](mosquitto *, void *self, int code) {
        auto *result = static_cast<Outcome *>(self);
        result->answered = true;
        result->code = code;
    });
    ConnectionTest test;
    int code = mosquitto_connect_async(client, login.address.host.c_str(), login.address.port, KeepAliveSeconds);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (code == MOSQ_ERR_SUCCESS && !outcome.answered && std::chrono::steady_clock::now() < deadline)
        code = mosquitto_loop(client, 100, 1);
    if (outcome.answered && outcome.code == 0) {
        test = {true, "Connected to " + brokerName(login) + "."};
        mosquitto_disconnect(client);
    } else if (outcome.answered) {
        test.text = "The broker refused the connection: " + refusalText(outcome.code) + ".";
    } else if (code != MOSQ_ERR_SUCCESS) {
        test.text = "No broker answers at " + brokerName(login) + ": " + failureText(code) + ".";
    } else {
        test.text = "No answer from " + brokerName(login) + " within " + std::to_string(seconds) + " seconds.";
    }
    mosquitto_destroy(client);
    return test;
}
