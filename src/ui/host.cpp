#include "ui/host.h"

#include <cassert>

namespace ostrel::ui {

namespace {
Host* g_currentHost = nullptr;
}  // namespace

Point Host::ScreenToClient(WindowHandle window, Point screen) const {
    const Rect r = GetWindowRect(window);
    return {screen.x - r.left, screen.y - r.top};
}

Point Host::ClientToScreen(WindowHandle window, Point client) const {
    const Rect r = GetWindowRect(window);
    return {client.x + r.left, client.y + r.top};
}

Rect Host::GetClientRect(WindowHandle window) const {
    const Rect r = GetWindowRect(window);
    return {0, 0, r.Width(), r.Height()};
}

Host& CurrentHost() {
    assert(g_currentHost != nullptr && "no host set: SetCurrentHost before making windows");
    return *g_currentHost;
}

bool HasCurrentHost() {
    return g_currentHost != nullptr;
}

void SetCurrentHost(Host* host) {
    g_currentHost = host;
}

}  // namespace ostrel::ui
