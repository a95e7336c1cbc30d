#include "app/SingleInstance.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace tilvaren {

namespace {
constexpr const char* kLockName = "tilvaren.lock";
constexpr const char* kSocketName = "tilvaren.socket";
constexpr const char* kActivate = "activate\n";
}  // namespace

QString RuntimeFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return folder;
}

SingleInstance::SingleInstance(const QString& folder, QObject* parent) : QObject(parent), folder_(folder) {}

SingleInstance::~SingleInstance() {
    if (server_ != nullptr) server_->close();
    if (lockFd_ >= 0) ::close(lockFd_);
}

bool SingleInstance::Claim(int waitMs) {
    QDir().mkpath(folder_);
    const QString socketPath = folder_ + "/" + kSocketName;
    const QByteArray lockPath = QFile::encodeName(folder_ + "/" + kLockName);
    lockFd_ = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // Without a lock file there is nothing to coordinate through: run alone.
    if (lockFd_ < 0) return true;
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) == 0) {
        // This is the running copy; whatever socket is there is a dead copy's.
        QLocalServer::removeServer(socketPath);
        server_ = new QLocalServer(this);
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        connect(server_, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* client = server_->nextPendingConnection()) {
                connect(client, &QLocalSocket::readyRead, this, [this, client] {
                    if (client->readAll().contains("activate")) emit activationRequested();
                    client->disconnectFromServer();
                });
                connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            }
        });
        server_->listen(socketPath);
        return true;
    }
    ::close(lockFd_);
    lockFd_ = -1;

    // Another copy holds the lock; it may still be starting, so try for a while.
    const QDeadlineTimer deadline(waitMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(200)) {
            socket.write(kActivate);
            socket.waitForBytesWritten(1000);
            socket.waitForDisconnected(1000);
            return false;
        }
        QThread::msleep(50);
    }
    return false;
}

}  // namespace tilvaren
