#pragma once

#include "bridge/BridgeCommands.h"
#include "bridge/BridgeEntities.h"
#include "bridge/BridgeSensors.h"
#include "bridge/CommandQueue.h"
#include "bridge/MqttConnection.h"
#include "document/DownloadedModules.h"

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

// The background helper as a bridge to Home Assistant: the remembered modules announced by MQTT
// discovery, and the commands on their topics sent to the CP290 one at a time by a thread of its
// own, never while the driver is busy with a download. It holds no CP290 rule: the commands are
// the direct commands the document window sends, the download the helper's own.
class HomeAssistantBridge {
public:
    struct Driver {
        std::mutex *inUse = nullptr;        // held while the driver talks to the CP290
        std::function<bool()> sendEvents;   // the helper's download (it takes `inUse` itself)
        std::function<std::optional<uint32_t>()> lastDownload;  // date seconds
    };
    HomeAssistantBridge(BridgeIdentity identity, BrokerLogin login, std::string version, Driver driver);
    ~HomeAssistantBridge();
    HomeAssistantBridge(const HomeAssistantBridge &) = delete;
    HomeAssistantBridge &operator=(const HomeAssistantBridge &) = delete;

    bool start(std::string *problem);
    // "offline" published, the connection closed, the sending thread ended.
    void stop();
    // After the helper's own download: the sensors again.
    void downloadHappened() { sensorsDue = true; queue.wake(); }

    // How many times a command waits for a port another program holds, a second each.
    static constexpr int BusyPortTries = 30;

private:
    void sendingThread();
    void announce();
    void clearStaleConfigs();
    void reloadModulesIfChanged();
    void publishSensors();
    void execute(const BridgeCommand &command);
    bool switchNow(const SwitchingCommand &command, std::string *failure);
    void received(const std::string &topic, const std::string &payload, bool retained);
    void logOnce(const std::string &key, const std::string &line);
    std::vector<BridgeEntity> currentEntities() const;

    const BridgeIdentity identity;
    const std::string version;
    Driver driver;
    std::unique_ptr<MqttConnection> connection;
    CommandQueue queue;
    std::thread sender;
    std::atomic<bool> stopping {false};
    std::atomic<bool> announceDue {false};
    std::atomic<bool> sensorsDue {true};

    mutable std::mutex entitiesLock;  // entities and configsSeen, shared with the client's thread
    std::vector<BridgeEntity> entities;
    std::set<std::string> configsSeen;
    std::mutex loggedLock;
    std::set<std::string> logged;

    std::optional<DownloadedModules> modules;
    std::string modulesStamp;
    std::optional<SensorReadings> sensorsPublished;  // nothing: every reading is due
    int sensorsMinute = -1;
};

// Runs `attempt` until it succeeds, or fails for another reason than `busy` says, or `tries` are
// used up, with `pause` between tries.
bool retryWhileBusy(const std::function<bool()> &attempt, const std::function<bool()> &busy, int tries,
                    const std::function<void()> &pause);
