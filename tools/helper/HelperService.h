#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

// What the background helper does: download again, every day shortly after local midnight, the
// modules and repeat counts the application last downloaded, so that dated, interval, even and
// odd day and sunrise and sunset events stay right without the application running.
class HelperService {
public:
    // One download through the driver. Logs one line: "Events sent." or the failure's alert title.
    // Holds `driverInUse()` while it runs, and tells `downloaded` when it sent.
    bool runDownload();
    // Held by whoever talks to the CP290 through the driver: a download, or a command of the bridge.
    std::mutex &driverInUse() { return driver; }
    std::function<void()> downloaded;
    // When the last download that sent happened (date seconds); nothing before the first.
    static std::optional<uint32_t> lastDownloadTime();

    // A download is due at start when the last one was on an earlier day (or never happened).
    bool dueAtStart(uint32_t now) const;
    // After a run at `now`: a minute past the next local midnight, or a quarter of an hour later
    // when the run failed.
    static uint32_t nextRunTime(uint32_t now, bool succeeded);

    std::string lastLine() const { return line; }

    // Runs until `waitFor` answers false (the helper is told to stop): a download at start when
    // one is due, then one a minute past each change of the local date, forward or back.
    // `waitFor(seconds)` pauses at most that long. At each look the helper also checks that the
    // application that installed it is still there; once it is gone the helper removes its login
    // item and returns for good. The pause is never longer than a minute
    // before the clock is read again: a machine asleep over midnight sends within a minute of
    // waking, and a clock set or a zone changed is noticed as soon.
    void runUntilStopped(const std::function<bool(uint32_t seconds)> &waitFor);
    static constexpr uint32_t LongestWait = 60;
    // A download at the next look, whatever the time (the machine has woken from sleep).
    void sendAtNextLook() { sendAsked = true; }

private:
    void leaveForGoodWithTheApplication();
    // The same failure run after run is logged once; its count when a different outcome ends it.
    void logOutcome(bool sent);

    std::mutex driver;
    std::string line;
    bool sendAsked = false;
    std::string failureLogged;
    int failureRepeats = 0;
};

// The helper's preferences: "Process ID" for the application, "Last Download" (date seconds of
// the day of the last successful download) for itself.
void recordProcessID(long pid);
// On the way out: a process number the system may give to another program is never signalled.
void clearProcessID();
