#pragma once

#include "bridge/HomeAssistantBridge.h"
#include "tools/helper/HelperService.h"

#include <memory>
#include <optional>

// The helper's bridge to Home Assistant for a broker: named after this machine and the remembered
// serial device, sending through the service's driver and its download. Nothing without a broker,
// and nothing (logged) when the bridge cannot start. The service must outlive the bridge.
std::unique_ptr<HomeAssistantBridge> startHelperBridge(const std::optional<BrokerLogin> &login, HelperService &service);
