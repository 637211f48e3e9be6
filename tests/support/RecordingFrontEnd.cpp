#include "tests/support/RecordingFrontEnd.h"

#include "driver/SerialLink.h"

#include <numeric>

namespace {

void resetDriver()
{
    if (CP290FileDescriptor != -1)
        closeCP290();
    CP290Close = 1;
    CP290Verbose = 1;
    gProgressBudget = 0;
}

}  // namespace

RecordingFrontEnd::RecordingFrontEnd(const std::string &devicePath)
{
    resetDriver();
    setCP290DeviceFilePath(devicePath.c_str());
    gController = this;
    gStatusProgressIndicator = this;
    setAlertPresenter([this](const Alert &alert) {
        alerts.push_back(alert);
        statusEndsBeforeAlert.push_back(statusEnds);
    });
}

RecordingFrontEnd::~RecordingFrontEnd()
{
    resetDriver();
    gController = nullptr;
    gStatusProgressIndicator = nullptr;
    setAlertPresenter({});
}

double RecordingFrontEnd::progressTotal() const
{
    return std::accumulate(increments.begin(), increments.end(), 0.0);
}

std::vector<std::string> RecordingFrontEnd::alertTitles() const
{
    std::vector<std::string> titles;
    for (const Alert &alert : alerts)
        titles.push_back(alert.title);
    return titles;
}
