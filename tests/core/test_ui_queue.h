#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "device/ui_queue.h"

namespace ostrel::testing_support {

// The UI thread's queue in a test: listener threads post, the test thread runs the tasks.
class TestUiQueue : public UiQueue {
public:
    void Post(std::function<void()> task) override {
        {
            std::lock_guard lock(m_mutex);
            m_tasks.push_back(std::move(task));
        }
        m_posted.notify_all();
    }

    // Waits up to `timeout` for at least `count` tasks, then runs every task queued; returns how
    // many ran.
    int RunWhenPosted(size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
        std::deque<std::function<void()>> tasks;
        {
            std::unique_lock lock(m_mutex);
            m_posted.wait_for(lock, timeout, [&] { return m_tasks.size() >= count; });
            tasks.swap(m_tasks);
        }
        for (auto& task : tasks) task();
        return static_cast<int>(tasks.size());
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_tasks;
};

// Polls `condition` until it holds or `timeout` passes; for what listener threads change.
inline bool Eventually(const std::function<bool()>& condition,
                       std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

}  // namespace ostrel::testing_support
