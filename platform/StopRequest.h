#pragma once

#include <functional>

// Whether the program running the driver has been asked to stop (the helper, on signal 15). The
// driver asks between attempts and while it waits for a byte, and gives up the exchange when so;
// without a check set nobody ever asks.
void setStopRequestCheck(std::function<bool()> check);
bool stopRequested();
