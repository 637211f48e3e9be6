#include "tools/helper/HelperBridge.h"

#include "bridge/BridgeSettings.h"
#include "driver/DeviceOperations.h"
#include "platform/UserDefaultsFile.h"

#include <unistd.h>

std::unique_ptr<HomeAssistantBridge> startHelperBridge(const std::optional<BrokerLogin> &login, HelperService &service)
{
    if (!login)
        return nullptr;
    char host[256] = "";
    gethostname(host, sizeof host - 1);
    BridgeIdentity identity;
    identity.host = host;
    identity.adapter = readApplicationDefault("SerialDevice").value_or("");
    if (identity.adapter.empty())
        identity.adapter = "CP290";
    identity.prefix = readBridgeSettings().prefix;
    HomeAssistantBridge::Driver driver;
    driver.inUse = &service.driverInUse();
    driver.sendEvents = [&service] { return service.runDownload(); };
    driver.lastDownload = &HelperService::lastDownloadTime;
    auto bridge = std::make_unique<HomeAssistantBridge>(identity, *login, TAVORIN_VERSION, driver);
    std::string problem;
    if (!bridge->start(&problem)) {
        writeLog("The MQTT bridge cannot start: " + problem + ".");
        return nullptr;
    }
    service.downloaded = [bridge = bridge.get()] { bridge->downloadHappened(); };
    return bridge;
}
