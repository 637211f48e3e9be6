#pragma once

#include <functional>

class QObject;

// What a document asks of the application: the CP290, and help.
class DeviceAccess {
public:
    virtual ~DeviceAccess() = default;
    // True when a chosen device exists and is writable; otherwise the "No Serial Device" alert.
    virtual bool serialDeviceIsWritable() = 0;
    // Runs work that talks to the CP290, unless some is running already. What the user clicks or
    // types while it blocks the main thread is dropped.
    virtual void runDeviceWork(const std::function<void()> &work) = 0;
    // Opens help at the anchor the sender names.
    virtual void showHelp(QObject *sender) = 0;
};
