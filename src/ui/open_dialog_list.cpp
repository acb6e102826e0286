#include "ui/open_dialog_list.h"

#include <algorithm>

#include "ui/host.h"

namespace ostrel::ui {

bool OpenDialogList::Register(WindowHandle window) {
    if (window == kNoWindow) {
        return false;
    }
    for (WindowHandle& slot : m_slots) {
        if (slot == kNoWindow) {
            slot = window;
            return true;
        }
    }
    return false;
}

void OpenDialogList::Remove(WindowHandle window) {
    if (window == kNoWindow) {
        return;
    }
    auto found = std::find(m_slots.begin(), m_slots.end(), window);
    if (found == m_slots.end()) {
        return;
    }
    std::move(found + 1, m_slots.end(), found);
    m_slots.back() = kNoWindow;
}

void OpenDialogList::CloseAll(Host& host) const {
    // A copy: a dialog that closes may leave the list before the walk is over.
    const auto slots = m_slots;
    for (WindowHandle window : slots) {
        if (window != kNoWindow) {
            host.SendMessage(window, kMsgClose, 0, 0);
        }
    }
}

void OpenDialogList::Clear() {
    m_slots.fill(kNoWindow);
}

OpenDialogList& OpenDialogs() {
    static OpenDialogList list;
    return list;
}

}  // namespace ostrel::ui
