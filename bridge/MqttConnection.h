#pragma once

#include "bridge/BrokerAddress.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

struct mosquitto;

// A broker and what logs in to it. The password is held here only, never written to a log.
struct BrokerLogin {
    BrokerAddress address;
    std::string password;
};

// One connection to the broker through libmosquitto, kept up by a thread of its own: it connects,
// reconnects after a loss with a pause that doubles up to a minute, and reports changes of its
// state (connected, refused, lost), never each retry. The handlers run on that thread.
class MqttConnection {
public:
    struct Handlers {
        std::function<void()> connected;  // after each connection: subscribe and announce here
        std::function<void(const std::string &topic, const std::string &payload, bool retained)> message;
        std::function<void(const std::string &line)> log;
    };
    // `will` is published retained as "offline" by the broker when the connection is lost.
    MqttConnection(const std::string &clientId, BrokerLogin login, const std::string &will, Handlers handlers);
    ~MqttConnection();
    MqttConnection(const MqttConnection &) = delete;
    MqttConnection &operator=(const MqttConnection &) = delete;

    // Starts the thread; false, with `problem`, when the client cannot be made at all.
    bool start(std::string *problem);
    // Queued with QoS 1 when connected; false (and nothing kept) while the broker is away.
    bool publish(const std::string &topic, const std::string &payload, bool retain);
    bool subscribe(const std::string &pattern);
    bool isConnected() const { return connected; }
    // Sends what is queued, disconnects cleanly (no will) and ends the thread.
    void stop();

    static constexpr int LongestPause = 60;  // seconds between tries to reach the broker

private:
    void run();
    void report(const std::string &state, const std::string &line);
    bool pause(int seconds);
    static void onConnect(mosquitto *, void *self, int code);
    static void onDisconnect(mosquitto *, void *self, int code);

    mosquitto *client = nullptr;
    BrokerLogin login;
    std::string willTopic;
    Handlers handlers;
    std::thread thread;
    std::atomic<bool> stopping {false};
    std::atomic<bool> connected {false};
    std::mutex pauseLock;
    std::condition_variable pauseEnds;
    std::string setupProblem;
    std::string reportedState;
    int failedTries = 0;
};

// Whether the broker takes the login: one connection, given up after `seconds`. The text says
// what happened, for the Preferences' "Test Connection".
struct ConnectionTest {
    bool succeeded = false;
    std::string text;
};
ConnectionTest testBrokerConnection(const BrokerLogin &login, int seconds);
