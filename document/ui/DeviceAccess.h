#pragma once

// What a document asks of the application before it talks to the CP290.
class DeviceAccess {
public:
    virtual ~DeviceAccess() = default;
    // True when a chosen device exists and is writable; otherwise the "No Serial Device" alert.
    virtual bool serialDeviceIsWritable() = 0;
};
