#pragma once

#include <QCoreApplication>
#include <cstdint>

class Modules;
class QObject;

// A module document's commands that reach the CP290: the repeat-count sheet, the download of all
// its events, and switching the selected modules at once.
class ModulesSending {
    Q_DECLARE_TR_FUNCTIONS(ModulesSending)
public:
    explicit ModulesSending(Modules &document);

    void performEvents(QObject *sender = nullptr);
    void performEventsOK(QObject *sender = nullptr);
    void performEventsCancel(QObject *sender = nullptr);
    void sendEventsToCP290(QObject *sender = nullptr);
    void on(QObject *sender = nullptr);
    void off(QObject *sender = nullptr);

private:
    void switchSelectedModules(uint8_t function);
    // Sends `function` to each selected module, from the last row up; the device is known to be there.
    void onOff(uint8_t function);

    Modules &document;
};
