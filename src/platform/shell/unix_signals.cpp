#include "platform/shell/unix_signals.h"

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace ostrel::platform {
namespace {

int g_signalSockets[2] = {-1, -1};

void WriteSignal(int) {
    const char byte = 1;
    // Nothing can be done about a failed write inside a signal handler.
    [[maybe_unused]] const ssize_t written = ::write(g_signalSockets[0], &byte, 1);
}

}  // namespace

UnixSignals::UnixSignals(std::function<void()> onSignal) : m_onSignal(std::move(onSignal)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalSockets) != 0) return;
    m_notifier = std::make_unique<QSocketNotifier>(g_signalSockets[1], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        if (::read(g_signalSockets[1], bytes, sizeof bytes) > 0 && m_onSignal) m_onSignal();
    });
    struct sigaction action {};
    action.sa_handler = WriteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal, &action, nullptr);
}

UnixSignals::~UnixSignals() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal, &action, nullptr);
    m_notifier.reset();
    for (int& fd : g_signalSockets) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}

}  // namespace ostrel::platform
