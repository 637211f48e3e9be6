#include "bridge/CommandQueue.h"

#include <algorithm>

bool CommandQueue::push(const BridgeCommand &command)
{
    bool replaced = false;
    {
        const std::lock_guard<std::mutex> hold(lock);
        const auto earlier = std::find_if(waiting.begin(), waiting.end(), [&command](const BridgeCommand &queued) {
            return queued.entity.objectId == command.entity.objectId;
        });
        if (earlier != waiting.end()) {
            waiting.erase(earlier);
            replaced = true;
        }
        waiting.push_back(command);
    }
    changed.notify_one();
    return replaced;
}

std::optional<BridgeCommand> CommandQueue::next(std::chrono::milliseconds wait)
{
    std::unique_lock<std::mutex> hold(lock);
    changed.wait_for(hold, wait, [this] { return woken || !waiting.empty(); });
    woken = false;
    if (waiting.empty())
        return std::nullopt;
    BridgeCommand command = waiting.front();
    waiting.pop_front();
    return command;
}

void CommandQueue::wake()
{
    {
        const std::lock_guard<std::mutex> hold(lock);
        woken = true;
    }
    changed.notify_one();
}

std::size_t CommandQueue::size() const
{
    const std::lock_guard<std::mutex> hold(lock);
    return waiting.size();
}
