#pragma once

#include "bridge/BridgeCommands.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

// The commands waiting for the CP290, handed from the MQTT client's thread to the one that sends.
// A command for an entity that already has one waiting replaces it and goes to the back: the last
// one wins, and the order of the entities' last commands is kept, so a burst (a brightness slider
// dragged, an automation gone wild) never queues more than one command an entity and every module
// ends as the last command for it or its house's "All" button left it.
class CommandQueue {
public:
    // Returns whether an earlier command of the same entity was replaced.
    bool push(const BridgeCommand &command);
    // The oldest command; nothing when none came within `wait` or `wake` was called.
    std::optional<BridgeCommand> next(std::chrono::milliseconds wait);
    // Ends a wait of `next` early, so that the sending thread looks at something else.
    void wake();
    std::size_t size() const;

private:
    mutable std::mutex lock;
    std::condition_variable changed;
    std::deque<BridgeCommand> waiting;
    bool woken = false;
};
