#include "platform/StopRequest.h"

namespace {

std::function<bool()> &stopCheck()
{
    static std::function<bool()> check;
    return check;
}

}  // namespace

void setStopRequestCheck(std::function<bool()> check)
{
    stopCheck() = std::move(check);
}

bool stopRequested()
{
    return stopCheck() && stopCheck()();
}
