#pragma once

#include <functional>

namespace ostrel {

// Hands work to the UI thread: Post may be called from any thread and returns at once; the task
// runs later on the UI thread, after the handler that is running there now.
class UiQueue {
public:
    virtual ~UiQueue() = default;
    virtual void Post(std::function<void()> task) = 0;
};

}  // namespace ostrel
