#include "tools/helper/HelperService.h"

#include "document/DownloadedModules.h"
#include "document/EventDownload.h"
#include "document/WeekSchedule.h"
#include "driver/DeviceOperations.h"
#include "driver/SerialLink.h"
#include "platform/Alerts.h"
#include "platform/DateTime.h"
#include "platform/HelperBundle.h"
#include "platform/LoginItems.h"
#include "platform/UserDefaultsFile.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

namespace {

constexpr char LastDownloadKey[] = "Last Download";
constexpr char LastDownloadTimeKey[] = "Last Download Time";
constexpr uint32_t RetryAfterFailure = 15 * 60;

}  // namespace

void recordProcessID(long pid)
{
    writeApplicationDefaults({{"Process ID", std::to_string(pid)}}, HelperDomain);
}

void clearProcessID()
{
    writeApplicationDefaults({{"Process ID", ""}}, HelperDomain);
}

void HelperService::logOutcome(bool sent)
{
    if (!sent && line == failureLogged) {
        ++failureRepeats;
        return;
    }
    if (failureRepeats > 0)
        writeLog(failureLogged + " (" + std::to_string(failureRepeats + 1) + " times in a row)");
    failureRepeats = 0;
    failureLogged = sent ? std::string() : line;
    writeLog(line);
}

void HelperService::runUntilStopped(const std::function<bool(uint32_t seconds)> &waitFor)
{
    uint32_t now = GetDateTime();
    uint32_t day = midnightOf(now);
    uint32_t next = dueAtStart(now) ? now : nextRunTime(now, true);
    for (;;) {
        if (installingApplicationIsGone()) {
            leaveForGoodWithTheApplication();
            return;
        }
        now = GetDateTime();
        // A new local date is a new day to send, whichever way the clock went to reach it: a clock
        // set back across midnight would otherwise wait for a midnight days away.
        if (midnightOf(now) != day) {
            day = midnightOf(now);
            next = day + HelperSendsAfterMidnight;
        }
        if (sendAsked) {
            sendAsked = false;
            next = now;
        }
        if (now >= next) {
            next = nextRunTime(GetDateTime(), runDownload());
            continue;
        }
        if (!waitFor(std::min(next - now, LongestWait)))
            return;
    }
}

void HelperService::leaveForGoodWithTheApplication()
{
    removeHelperLoginItem();
    writeLog("The application that installed the helper is gone (its package removed?): the helper removed its login "
             "item and stopped.");
}

std::optional<uint32_t> HelperService::lastDownloadTime()
{
    const auto text = readApplicationDefault(LastDownloadTimeKey, HelperDomain);
    if (!text || text->empty())
        return std::nullopt;
    return static_cast<uint32_t>(std::strtoul(text->c_str(), nullptr, 10));
}

bool HelperService::runDownload()
{
    const std::lock_guard<std::mutex> hold(driver);
    std::string firstAlert;
    setAlertPresenter([&firstAlert](const Alert &alert) {
        if (firstAlert.empty())
            firstAlert = alert.title;
    });
    bool sent = false;
    std::string unreadable;
    const auto modules = recallDownloadedModules(&unreadable);
    const auto device = rememberedSerialDevicePath();
    if (clockPastLastDay(static_cast<int64_t>(time(nullptr)))) {
        firstAlert = "The date lies past 2040-02-06, the last day a CP290 document can name; nothing is sent.";
    } else if (!unreadable.empty()) {
        firstAlert = "The remembered modules cannot be read: " + unreadable + ".";
    } else if (!modules) {
        firstAlert = "There are no events to send.";
    } else if (!device) {
        firstAlert = "No Serial Device";
    } else {
        setCP290DeviceFilePath(device->c_str());
        const DownloadOutcome outcome = downloadDocumentEvents(modules->modules, modules->eventRepeat);
        sent = outcome == DownloadOutcome::Sent || outcome == DownloadOutcome::NothingDue;
        if (outcome == DownloadOutcome::NothingDue)
            firstAlert = NothingDueText;
    }
    setAlertPresenter({});
    line = sent && firstAlert.empty() ? "Events sent." : firstAlert;
    logOutcome(sent);
    if (sent) {
        const uint32_t now = GetDateTime();
        writeApplicationDefaults({{LastDownloadKey, std::to_string(midnightOf(now))}, {LastDownloadTimeKey, std::to_string(now)}},
                                 HelperDomain);
        if (downloaded)
            downloaded();
    }
    return sent;
}

bool HelperService::dueAtStart(uint32_t now) const
{
    const auto last = readApplicationDefault(LastDownloadKey, HelperDomain);
    if (!last)
        return true;
    return std::strtoul(last->c_str(), nullptr, 10) < midnightOf(now);
}

uint32_t HelperService::nextRunTime(uint32_t now, bool succeeded)
{
    if (!succeeded)
        return now + RetryAfterFailure;
    return midnightOf(now) + SecondsPerDay + HelperSendsAfterMidnight;
}
