#include "document/EventDownload.h"

#include "driver/TimerDownload.h"
#include "platform/Alerts.h"
#include "platform/StatusHooks.h"

bool encodeDocumentEvents(const std::vector<Module> &modules, const ClassicEventRepeat &repeat, bool *anyEvent)
{
    *anyEvent = false;
    for (auto module = modules.rbegin(); module != modules.rend(); ++module) {
        for (auto event = module->events.rbegin(); event != module->events.rend(); ++event) {
            if (!*anyEvent) {
                CP290DoSendEventStart();
                *anyEvent = true;
            }
            // An appliance module is only ever switched: whatever level its file holds, it gets
            // the plain on and off commands.
            Event sent = *event;
            if (module->type == ModuleTypeAppliance)
                sent.Brightness = 9;
            if (!CP290DoSendEvent(static_cast<uint8_t>(module->houseCode), static_cast<uint8_t>(module->unit), &sent, &repeat))
                return false;
        }
    }
    return true;
}

DownloadOutcome downloadDocumentEvents(const std::vector<Module> &modules, const ClassicEventRepeat &repeat)
{
    bool anyEvent = false;
    if (!encodeDocumentEvents(modules, repeat, &anyEvent))
        return DownloadOutcome::TooManyEvents;
    if (!anyEvent) {
        requestAlert("There are no events to send.", "");
        return DownloadOutcome::NoEvents;
    }
    const bool nothingDue = NumEvents == 0;
    startStatus("Sending events to CP290...");
    const bool sent = CP290DoSendEventEnd();
    endStatus();
    if (!sent) {
        requestAlert("Sending events failed.", "");
        return DownloadOutcome::Failed;
    }
    return nothingDue ? DownloadOutcome::NothingDue : DownloadOutcome::Sent;
}
