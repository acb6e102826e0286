#pragma once

#include <array>
#include <cstddef>

#include "ui/host_types.h"

namespace ostrel::ui {

class Host;

inline constexpr size_t kOpenDialogSlots = 10;

// The small dialogs that are open, so that the program can close them before it quits.
// UI thread only.
class OpenDialogList {
public:
    // Takes the first empty slot; when all are taken the window is not registered (false).
    bool Register(WindowHandle window);
    // Clears the window's slot and moves the entries after it down by one.
    void Remove(WindowHandle window);
    // Sends kMsgClose to every registered window, in slot order.
    void CloseAll(Host& host) const;
    void Clear();

    const std::array<WindowHandle, kOpenDialogSlots>& Slots() const { return m_slots; }

private:
    std::array<WindowHandle, kOpenDialogSlots> m_slots{};
};

// The program's list.
OpenDialogList& OpenDialogs();

}  // namespace ostrel::ui
