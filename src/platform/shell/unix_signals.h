#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace ostrel::platform {

// SIGTERM, SIGINT and SIGHUP reach the UI thread as a call of `onSignal`, through a socket pair
// whose reading end sits in the event loop: a signal handler may do nothing more than write.
class UnixSignals : public QObject {
public:
    explicit UnixSignals(std::function<void()> onSignal);
    ~UnixSignals() override;

private:
    std::function<void()> m_onSignal;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

}  // namespace ostrel::platform
