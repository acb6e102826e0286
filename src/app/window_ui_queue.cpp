#include "app/window_ui_queue.h"

#include "ui/host.h"

namespace ostrel::app {

void WindowUiQueue::SetWindow(ui::WindowHandle window) {
    std::lock_guard lock(m_mutex);
    m_window = window;
}

void WindowUiQueue::Post(std::function<void()> task) {
    ui::WindowHandle window;
    {
        std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
        window = m_window;
    }
    // One message per task; RunPosted empties the queue, so later messages find it empty.
    ui::CurrentHost().PostMessage(window, kMessageRunPosted, 0, 0);
}

void WindowUiQueue::RunPosted() {
    std::deque<std::function<void()>> tasks;
    {
        std::lock_guard lock(m_mutex);
        tasks.swap(m_tasks);
    }
    for (auto& task : tasks) task();
}

void WindowUiQueue::Clear() {
    std::lock_guard lock(m_mutex);
    m_tasks.clear();
}

}  // namespace ostrel::app
