#include "platform/StatusHooks.h"

StatusController *gController = nullptr;
ProgressIndicator *gStatusProgressIndicator = nullptr;
double gProgressBudget = 0.0;

void advanceStatusProgress(double delta)
{
    if (!gStatusProgressIndicator)
        return;
    gStatusProgressIndicator->incrementBy(delta);
    gStatusProgressIndicator->display();
}

void startStatus(const std::string &message)
{
    if (gController)
        gController->statusStartWithMessage(message);
}

void endStatus()
{
    if (gController)
        gController->statusEnd();
}
