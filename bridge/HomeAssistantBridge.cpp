#include "bridge/HomeAssistantBridge.h"

#include "driver/DeviceOperations.h"
#include "driver/SerialLink.h"
#include "platform/Alerts.h"
#include "platform/DateTime.h"
#include "platform/TickPause.h"
#include "platform/UserDefaultsFile.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace {

constexpr auto LookAgainAfter = std::chrono::seconds(1);
constexpr std::size_t MostProblemsLogged = 1000;
constexpr unsigned long OneSecondOfTicks = 60;

// What tells that the remembered modules may have changed: the application's settings file's
// modification time and size.
std::string settingsStamp()
{
    struct stat status {};
    if (stat(settingsFilePath(ApplicationDomain).c_str(), &status) != 0)
        return {};
    return std::to_string(status.st_mtim.tv_sec) + "." + std::to_string(status.st_mtim.tv_nsec) + "/" + std::to_string(status.st_size);
}

}  // namespace

bool retryWhileBusy(const std::function<bool()> &attempt, const std::function<bool()> &busy, int tries,
                    const std::function<void()> &pause)
{
    for (int tried = 1;; ++tried) {
        if (attempt())
            return true;
        if (tried >= tries || !busy())
            return false;
        pause();
    }
}

HomeAssistantBridge::HomeAssistantBridge(BridgeIdentity who, BrokerLogin login, std::string programVersion, Driver device)
    : identity(std::move(who)), version(std::move(programVersion)), driver(std::move(device))
{
    MqttConnection::Handlers handlers;
    handlers.connected = [this] {
        connection->subscribe(identity.baseTopic() + "/+/set");
        connection->subscribe(ownConfigTopics(identity));
        announceDue = true;
        queue.wake();
    };
    handlers.message = [this](const std::string &topic, const std::string &payload, bool retained) {
        received(topic, payload, retained);
    };
    handlers.log = [](const std::string &line) { writeLog(line); };
    connection = std::make_unique<MqttConnection>(identity.nodeId(), std::move(login), identity.availabilityTopic(), handlers);
}

HomeAssistantBridge::~HomeAssistantBridge()
{
    stop();
}

bool HomeAssistantBridge::start(std::string *problem)
{
    reloadModulesIfChanged();
    if (!connection->start(problem))
        return false;
    sender = std::thread([this] { sendingThread(); });
    return true;
}

void HomeAssistantBridge::stop()
{
    if (stopping.exchange(true))
        return;
    queue.wake();
    if (sender.joinable())
        sender.join();
    connection->publish(identity.availabilityTopic(), "offline", true);
    connection->stop();
}

std::vector<BridgeEntity> HomeAssistantBridge::currentEntities() const
{
    const std::lock_guard<std::mutex> hold(entitiesLock);
    return entities;
}

void HomeAssistantBridge::logOnce(const std::string &key, const std::string &line)
{
    {
        const std::lock_guard<std::mutex> hold(loggedLock);
        if (logged.size() >= MostProblemsLogged || !logged.insert(key).second)
            return;
    }
    writeLog(line);
}

void HomeAssistantBridge::received(const std::string &topic, const std::string &payload, bool retained)
{
    if (isOwnConfigTopic(identity, topic)) {
        if (retained && !payload.empty()) {
            const std::lock_guard<std::mutex> hold(entitiesLock);
            configsSeen.insert(topic);
        }
        queue.wake();
        return;
    }
    std::optional<BridgeCommand> command;
    std::string problem = "no entity of this CP290 has this topic";
    {
        const std::lock_guard<std::mutex> hold(entitiesLock);
        if (const BridgeEntity *entity = entityOfCommandTopic(entities, identity, topic))
            command = readEntityCommand(*entity, payload, &problem);
    }
    if (!command) {
        logOnce(topic + "\n" + problem, "Ignored a command on " + topic + ": " + problem + "; nothing was sent.");
        return;
    }
    queue.push(*command);
}

void HomeAssistantBridge::sendingThread()
{
    while (!stopping) {
        const std::optional<BridgeCommand> command = queue.next(LookAgainAfter);
        if (stopping)
            break;
        reloadModulesIfChanged();
        if (announceDue.exchange(false))
            announce();
        clearStaleConfigs();
        if (command)
            execute(*command);
        if (sensorsDue.exchange(false) || minuteOfDay(GetDateTime()) != sensorsMinute)
            publishSensors();
    }
}

void HomeAssistantBridge::announce()
{
    connection->publish(identity.availabilityTopic(), "online", true);
    for (const BridgeEntity &entity : currentEntities())
        connection->publish(configTopic(identity, entity), discoveryConfig(identity, entity, version), true);
    sensorsPublished.reset();
    sensorsDue = true;
}

void HomeAssistantBridge::clearStaleConfigs()
{
    std::set<std::string> seen;
    std::set<std::string> current;
    {
        const std::lock_guard<std::mutex> hold(entitiesLock);
        seen.swap(configsSeen);
        for (const BridgeEntity &entity : entities)
            current.insert(configTopic(identity, entity));
    }
    for (const std::string &topic : seen)
        if (!current.count(topic))
            connection->publish(topic, "", true);
}

void HomeAssistantBridge::reloadModulesIfChanged()
{
    const std::string stamp = settingsStamp();
    if (stamp == modulesStamp && !entities.empty())
        return;
    modulesStamp = stamp;
    std::string unreadable;
    modules = recallDownloadedModules(&unreadable);
    const std::vector<BridgeEntity> fresh = bridgeEntities(modules ? modules->modules : std::vector<Module>());
    std::vector<BridgeEntity> gone;
    {
        const std::lock_guard<std::mutex> hold(entitiesLock);
        if (fresh == entities)
            return;
        for (const BridgeEntity &entity : entities)
            if (std::find_if(fresh.begin(), fresh.end(), [&entity](const BridgeEntity &kept) {
                    return kept.objectId == entity.objectId && kept.kind == entity.kind;
                }) == fresh.end())
                gone.push_back(entity);
        entities = fresh;
    }
    for (const BridgeEntity &entity : gone)
        connection->publish(configTopic(identity, entity), "", true);
    if (connection->isConnected())
        announce();
}

void HomeAssistantBridge::publishSensors()
{
    const uint32_t now = GetDateTime();
    sensorsMinute = minuteOfDay(now);
    SensorReadings readings;
    {
        // The schedule is the download's own encoding, in the driver's record buffer and sun.
        const std::lock_guard<std::mutex> hold(*driver.inUse);
        const DownloadedModules remembered = modules.value_or(DownloadedModules {});
        readings = sensorReadings(remembered.modules, remembered.eventRepeat, now, driver.lastDownload());
    }
    const std::vector<BridgeEntity> shown = currentEntities();
    const auto topicOf = [this, &shown](EntityRole role, bool attributes = false) {
        for (const BridgeEntity &entity : shown)
            if (entity.role == role)
                return attributes ? attributesTopic(identity, entity) : stateTopic(identity, entity);
        return std::string();
    };
    const SensorReadings before = sensorsPublished.value_or(SensorReadings {"", "", "", ""});
    const auto publishChanged = [this](const std::string &topic, const std::string &reading, const std::string &was) {
        if (reading != was)
            connection->publish(topic, reading, true);
    };
    publishChanged(topicOf(EntityRole::NextEvent), readings.nextEvent, before.nextEvent);
    publishChanged(topicOf(EntityRole::NextEvent, true), readings.nextEventAttributes, before.nextEventAttributes);
    publishChanged(topicOf(EntityRole::RecordsToday), readings.recordsToday, before.recordsToday);
    publishChanged(topicOf(EntityRole::LastDownload), readings.lastDownload, before.lastDownload);
    if (connection->isConnected())
        sensorsPublished = readings;
}

bool HomeAssistantBridge::switchNow(const SwitchingCommand &command, std::string *failure)
{
    const std::optional<std::string> device = rememberedSerialDevicePath();
    if (!device) {
        *failure = "No Serial Device";
        return false;
    }
    setAlertPresenter([failure](const Alert &alert) { *failure = alert.title; });
    setCP290DeviceFilePath(device->c_str());
    const bool sent = retryWhileBusy(
        [&command] { return CP290DoOnOffDim(command.houseIndex, command.unit, command.functionAndLevel); },
        [] { return CP290OpenError == EBUSY; }, BusyPortTries, [] { Delay(OneSecondOfTicks, nullptr); });
    setAlertPresenter({});
    if (!sent && CP290OpenError == EBUSY)
        *failure = "the serial device stayed in use by another program for " + std::to_string(BusyPortTries) + " seconds";
    return sent;
}

void HomeAssistantBridge::execute(const BridgeCommand &command)
{
    std::string failure;
    bool done = false;
    if (command.entity.role == EntityRole::SendEvents) {
        done = driver.sendEvents();
        if (!done)
            failure = "the download failed (see the helper's log)";
        sensorsDue = true;
    } else if (const auto switching = switchingCommand(command)) {
        const std::lock_guard<std::mutex> hold(*driver.inUse);
        done = switchNow(*switching, &failure);
    }
    const std::string what = commandText(command);
    if (done) {
        for (const auto &[entity, state] : statesAfter(currentEntities(), command))
            connection->publish(stateTopic(identity, entity), state, true);
    } else {
        writeLog("Home Assistant's command \"" + what + "\" failed: " + failure + ".");
    }
    const std::string outcome = what + (done ? ": done" : ": failed: " + failure);
    connection->publish(identity.outcomeTopic(), outcome.substr(0, 255), true);
}
