#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace ostrel::platform {

// One program per user: a lock file and a local socket in the user's runtime folder (user-only
// access). The first instance holds both; a later start asks it to wake up and ends.
class SingleInstance : public QObject {
public:
    // `onWakeUp` runs on the UI thread when a later start knocks; the knocking start waits until
    // it has returned.
    explicit SingleInstance(std::function<void()> onWakeUp);
    ~SingleInstance() override;

    // True when this process is the first; false after it woke the first one (or found it gone
    // and could not take over).
    bool Claim();

    // The folder of the lock and the socket (XDG_RUNTIME_DIR, else a private folder under /tmp).
    static QString RuntimeFolder();

private:
    void Serve();

    std::function<void()> m_onWakeUp;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
};

}  // namespace ostrel::platform
