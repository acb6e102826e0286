#include "platform/shell/single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <unistd.h>

namespace ostrel::platform {
namespace {

constexpr int kConnectTimeoutMs = 2000;
constexpr int kReplyTimeoutMs = 5000;
const QByteArray kWakeUp = "wake-up\n";
const QByteArray kAwake = "awake\n";

QString LockPath() { return SingleInstance::RuntimeFolder() + "/ostrel.lock"; }
QString SocketPath() { return SingleInstance::RuntimeFolder() + "/ostrel.socket"; }

// Sends the wake-up and waits for the first instance's answer.
bool KnockOnFirst() {
    QLocalSocket socket;
    socket.connectToServer(SocketPath());
    if (!socket.waitForConnected(kConnectTimeoutMs)) return false;
    socket.write(kWakeUp);
    if (!socket.waitForBytesWritten(kConnectTimeoutMs)) return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(kReplyTimeoutMs)) return false;
    }
    return socket.readLine() == kAwake;
}

}  // namespace

SingleInstance::SingleInstance(std::function<void()> onWakeUp) : m_onWakeUp(std::move(onWakeUp)) {}

SingleInstance::~SingleInstance() { m_server.close(); }

QString SingleInstance::RuntimeFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath() + "/ostrel-" + QString::number(::getuid());
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    return folder;
}

bool SingleInstance::Claim() {
    m_lock = std::make_unique<QLockFile>(LockPath());
    // A lock left by a process that is gone is taken over.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        // A second start wakes the first and ends, showing nothing.
        KnockOnFirst();
        return false;
    }
    QLocalServer::removeServer(SocketPath());
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(SocketPath())) {
        // The program still runs; only a later start cannot wake it.
        return true;
    }
    QObject::connect(&m_server, &QLocalServer::newConnection, this, [this] { Serve(); });
    return true;
}

void SingleInstance::Serve() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            while (socket->canReadLine()) {
                if (socket->readLine() != kWakeUp) continue;
                if (m_onWakeUp) m_onWakeUp();
                socket->write(kAwake);
                socket->flush();
            }
        });
    }
}

}  // namespace ostrel::platform
