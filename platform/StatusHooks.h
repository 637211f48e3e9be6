#pragma once

// The driver reaches the status sheet of whatever front end runs it through these three globals.
// Both pointers stay empty without a front end; the driver then skips its increments and statusEnd.

#include <string>

class StatusController {
public:
    virtual ~StatusController() = default;
    // Show the status sheet with this message and an empty bar; returns at once.
    virtual void statusStartWithMessage(const std::string &message) = 0;
    // Fill the bar, pause a second, take the status sheet down.
    virtual void statusEnd() = 0;
};

class ProgressIndicator {
public:
    virtual ~ProgressIndicator() = default;
    virtual void incrementBy(double delta) = 0;
    // Redraw at once: the event loop does not run while the driver works.
    virtual void display() = 0;
};

// Full scale of the status sheet's bar; every device operation is given this much in all.
inline constexpr double StatusProgressFullScale = 130.0;

extern StatusController *gController;
extern ProgressIndicator *gStatusProgressIndicator;
extern double gProgressBudget;

// Add to the bar and redraw it; nothing when no bar is set.
void advanceStatusProgress(double delta);
// Ask the front end to put its status sheet up, or take it down; nothing when no controller is set.
void startStatus(const std::string &message);
void endStatus();
