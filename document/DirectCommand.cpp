#include "document/DirectCommand.h"

#include "driver/DeviceOperations.h"

#include <algorithm>

uint8_t directCommandByte(const Module &module, bool on, int brightness)
{
    if (!on)
        return CP290FunctionOff;
    return module.type == ModuleTypeLight ? CP290LevelBytes[std::clamp(brightness, 1, 9)] : CP290FunctionOn;
}
