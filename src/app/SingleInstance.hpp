#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace tilvaren {

// Keeps one running copy per user. The first copy takes a lock in the user's
// runtime folder and listens on a local socket there; a later copy finds the
// lock taken, asks the first to come forward through the socket and ends.
// The lock is released by the system when a copy dies, so a crash never
// stops the next start; a socket file left behind is replaced.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `folder` is where the lock and the socket live.
    explicit SingleInstance(const QString& folder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this is the running copy (it now listens); false when another
    // copy runs and has been asked to come forward (or could not be reached
    // within `waitMs`).
    bool Claim(int waitMs = 5000);

signals:
    // Another start asked this copy to come forward.
    void activationRequested();

private:
    QString folder_;
    int lockFd_ = -1;
    QLocalServer* server_ = nullptr;
};

// The folder for the lock and the socket: the user's runtime folder.
QString RuntimeFolder();

}  // namespace tilvaren
