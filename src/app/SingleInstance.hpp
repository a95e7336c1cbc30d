#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <string>

namespace tilvaren {

// What a start found: whether it is the running copy or why it must end.
struct ClaimResult {
    enum class Outcome {
        Running,      // this copy holds the program folder; open the window
        Forwarded,    // the running copy was asked to come forward; end with 0
        Unreachable,  // a copy holds the folder but did not answer; end non-zero
        Refused,      // the folder cannot be guarded (it cannot be opened, say); end non-zero
    };
    Outcome outcome = Outcome::Refused;
    // For the player, in Japanese: why this start ends; with Running, set only
    // when later starts will not be able to reach this copy.
    QString message;
};

// Keeps one running copy per program folder, whatever the environment says,
// so that two copies never write the same files. The first copy holds an
// flock on the folder itself, which nothing done to the files in it undoes,
// and listens on a socket whose name comes from the folder; a later start asks
// it to come forward and ends, and so does one that finds a copy of the same
// user's answering on that name. The system drops the lock and the socket
// when a copy dies, so a crash never stops the next start. Only the same
// user's processes are listened to.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `programDir` is the folder of the player's files, ending in '/'.
    explicit SingleInstance(std::string programDir, QObject* parent = nullptr);
    ~SingleInstance() override;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // The activation token this start hands the running copy with its
    // request to come forward (see LaunchActivationToken); none by default,
    // and one that is no valid token is not handed on.
    void SetActivationToken(const QByteArray& token);

    // Becomes the running copy, or asks the running copy to come forward,
    // trying for up to `waitMs` while that copy is still starting. Call once.
    // Blocks only the calling start, never the running copy.
    ClaimResult Claim(int waitMs = 10000);

signals:
    // Another start asked this copy to come forward, with the activation
    // token it was given ("" for none); a token is always a valid one.
    void activationRequested(const QByteArray& token);

private:
    enum class Knock { Answered, Silent, Stranger };
    ClaimResult Listen(const QDeadlineTimer& deadline);
    ClaimResult NoAnswer() const;
    Knock KnockOnRunningCopy(int waitMs) const;
    void Accept();
    void Serve(int fd);
    static std::string Request(const QByteArray& token);

    std::string programDir_;
    std::string socketName_;
    std::string request_ = Request({});
    int dirFd_ = -1;  // open for reading: the lock is held on it
    int listenFd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    int clients_ = 0;
};

// The abstract socket name (without its leading NUL) that the running copy
// for `programDir` listens on: the same for every path to the same folder;
// "" when the folder cannot be opened.
std::string InstanceSocketName(const std::string& programDir);

}  // namespace tilvaren
