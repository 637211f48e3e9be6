#pragma once

#include "platform/Alerts.h"
#include "platform/StatusHooks.h"

#include <string>
#include <vector>

// Stands in for the application while a test runs: records every alert, progress increment and
// statusEnd, and puts the driver's globals back as a fresh process has them.
class RecordingFrontEnd : public StatusController, public ProgressIndicator {
public:
    explicit RecordingFrontEnd(const std::string &devicePath = {});
    ~RecordingFrontEnd() override;

    void statusStartWithMessage(const std::string &message) override { statusMessages.push_back(message); }
    void statusEnd() override { ++statusEnds; }
    void incrementBy(double delta) override { increments.push_back(delta); }
    void display() override { ++displays; }

    double progressTotal() const;
    std::vector<std::string> alertTitles() const;

    std::vector<Alert> alerts;
    std::vector<double> increments;
    int displays = 0;
    int statusEnds = 0;
    std::vector<std::string> statusMessages;
    // What had been shown when each alert arrived: the sheet must be down first.
    std::vector<int> statusEndsBeforeAlert;
};
