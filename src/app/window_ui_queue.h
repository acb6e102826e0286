#pragma once

#include <deque>
#include <functional>
#include <mutex>

#include "device/ui_queue.h"
#include "ui/host_types.h"

namespace ostrel::app {

// A private message of the main window: run what other threads handed to the UI thread.
inline constexpr unsigned kMessageRunPosted = 0x8001;

// Hands tasks from listener threads to the main window's UI thread through a posted message.
class WindowUiQueue : public UiQueue {
public:
    void SetWindow(ui::WindowHandle window);
    // Any thread.
    void Post(std::function<void()> task) override;
    // UI thread, on kMessageRunPosted: runs every task queued so far.
    void RunPosted();
    // Drops what is queued (shutdown: the state the tasks use is going away).
    void Clear();

private:
    std::mutex m_mutex;
    std::deque<std::function<void()>> m_tasks;
    ui::WindowHandle m_window = ui::kNoWindow;
};

}  // namespace ostrel::app
