#include "app/SingleInstance.hpp"

#include <QCoreApplication>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <thread>

#include "app/Activation.hpp"
#include "records/SafeFile.hpp"

namespace tilvaren {

namespace {

constexpr char kActivate[] = "activate\n";
// Follows the request in the same write, so the running copy reads both
// together, and copies that know only the request still answer it.
constexpr char kTokenLine[] = "token ";
constexpr char kAnswer[] = "ok\n";
// A flood of connections must not starve the window: few at a time, each
// short-lived and small, and a bounded share of every turn of the event loop.
constexpr int kMaxClients = 8;
constexpr int kClientMs = 1000;
constexpr qint64 kMaxMessage = 320;
constexpr int kAcceptsPerTurn = 32;
constexpr int kBacklog = 16;
constexpr auto kRetryPause = std::chrono::milliseconds(50);
constexpr char kOldLockFile[] = "Tilvaren.lock";

// The folder's identity rather than its path, so that links and bind mounts
// to one folder meet; the user is part of it so that users never collide.
std::string NameOf(const struct stat& folder) {
    char name[96];
    std::snprintf(name, sizeof name, "tilvaren/%lu/%lx/%lx", static_cast<unsigned long>(::geteuid()),
                  static_cast<unsigned long>(folder.st_dev), static_cast<unsigned long>(folder.st_ino));
    return name;
}

socklen_t AddressOf(const std::string& name, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, name.data(), name.size());  // sun_path[0] = 0: abstract
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
}

bool FromThisUser(int fd) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::geteuid();
}

QString Path(const std::string& path) { return QString::fromLocal8Bit(path.c_str()); }
// The system's reason, in the player's language.
QString Reason(int error) {
    const QString cause = QCoreApplication::translate(kEngineTexts, FileErrorText(error));
    return cause.contains(QStringLiteral("%1")) ? cause.arg(error) : cause;
}

ClaimResult Refused(const QString& message) { return {ClaimResult::Outcome::Refused, message}; }

}  // namespace

std::string InstanceSocketName(const std::string& programDir) {
    struct stat folder {};
    if (::stat(programDir.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)) return {};
    return NameOf(folder);
}

SingleInstance::SingleInstance(std::string programDir, QObject* parent)
    : QObject(parent), programDir_(std::move(programDir)) {}

void SingleInstance::SetActivationToken(const QByteArray& token) { request_ = Request(ActivationToken(token)); }

std::string SingleInstance::Request(const QByteArray& token) {
    std::string request = kActivate;
    if (!token.isEmpty()) request += kTokenLine + token.toStdString() + '\n';
    return request;
}

SingleInstance::~SingleInstance() {
    delete notifier_;
    if (listenFd_ >= 0) ::close(listenFd_);
    if (dirFd_ >= 0) ::close(dirFd_);
}

ClaimResult SingleInstance::Claim(int waitMs) {
    // The lock is on the folder itself, not on a file in it: no file deleted,
    // replaced or renamed in the folder lets a second copy in, and a renamed
    // folder takes its lock (and its socket's name) along.
    dirFd_ = ::open(programDir_.c_str(), O_RDONLY | O_DIRECTORY | O_NOCTTY | O_CLOEXEC);
    struct stat folder {};
    if (dirFd_ < 0 || ::fstat(dirFd_, &folder) != 0) {
        const int error = errno;
        return Refused(tr("フォルダー %1 を開けません: %2").arg(Path(programDir_), Reason(error)));
    }
    socketName_ = NameOf(folder);

    // The lock holder may still be starting (or just ending), so try both the
    // lock and its socket for a while.
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        if (::flock(dirFd_, LOCK_EX | LOCK_NB) == 0) return Listen(deadline);
        if (const int error = errno; error != EWOULDBLOCK && error != EINTR) {
            return Refused(
                tr("フォルダー %1 をロックできません: %2").arg(Path(programDir_), Reason(error)));
        }
        switch (KnockOnRunningCopy(static_cast<int>(deadline.remainingTime()))) {
        case Knock::Answered:
            return {ClaimResult::Outcome::Forwarded, {}};
        case Knock::Stranger:
            return Refused(tr("起動中のプログラムの連絡口を、ほかの利用者のプロセスが使っています。\n"
                                "そのプロセスが終わってから起動し直してください。"));
        case Knock::Silent:
            break;
        }
        if (deadline.hasExpired()) return NoAnswer();
        std::this_thread::sleep_for(kRetryPause);
    }
}

ClaimResult SingleInstance::NoAnswer() const {
    return {ClaimResult::Outcome::Unreachable,
            tr("このフォルダーは、ほかに動いているプログラムが使っていますが、応答がありません。\n"
               "そちらを終了してから起動し直してください。\n%1")
                .arg(Path(programDir_))};
}

SingleInstance::Knock SingleInstance::KnockOnRunningCopy(int waitMs) const {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return Knock::Silent;
    sockaddr_un address{};
    const socklen_t size = AddressOf(socketName_, address);
    Knock result = Knock::Silent;
    // Not listening yet, or its queue is full: both mean "try again".
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), size) == 0) {
        if (!FromThisUser(fd)) {
            result = Knock::Stranger;
        } else if (::send(fd, request_.data(), request_.size(), MSG_NOSIGNAL) ==
                   static_cast<ssize_t>(request_.size())) {
            // The answer tells that the request was taken; a copy that dropped
            // it (too busy) closes without one.
            std::string answer;
            const QDeadlineTimer deadline(waitMs);
            while (answer.size() < sizeof kAnswer - 1) {
                pollfd wait{fd, POLLIN, 0};
                if (::poll(&wait, 1, static_cast<int>(deadline.remainingTime())) <= 0) break;
                char buffer[sizeof kAnswer];
                const ssize_t n = ::read(fd, buffer, sizeof kAnswer - 1 - answer.size());
                if (n <= 0) break;
                answer.append(buffer, static_cast<std::size_t>(n));
            }
            if (answer == kAnswer) result = Knock::Answered;
        }
    }
    ::close(fd);
    return result;
}

ClaimResult SingleInstance::Listen(const QDeadlineTimer& deadline) {
    sockaddr_un address{};
    const socklen_t size = AddressOf(socketName_, address);
    for (;;) {
        listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (listenFd_ >= 0 && ::bind(listenFd_, reinterpret_cast<const sockaddr*>(&address), size) == 0 &&
            ::listen(listenFd_, kBacklog) == 0) {
            break;
        }
        const int error = errno;
        if (listenFd_ >= 0) ::close(listenFd_);
        listenFd_ = -1;
        // Someone has the name though this copy holds the lock. A copy of this
        // user's that answers is running on these files after all (one that
        // holds its lock another way); a stranger cannot be, so this copy runs.
        Knock knock = Knock::Silent;
        if (error == EADDRINUSE) knock = KnockOnRunningCopy(static_cast<int>(deadline.remainingTime()));
        if (knock == Knock::Answered) {
            ::close(dirFd_);
            dirFd_ = -1;
            return {ClaimResult::Outcome::Forwarded, {}};
        }
        if (error != EADDRINUSE || knock == Knock::Stranger) {
            return {ClaimResult::Outcome::Running,
                    tr("ほかの起動からの知らせを受け取れません（%1）。\n"
                       "このまま遊べますが、もう一度起動してもこのウィンドウは前に出てきません。")
                        .arg(knock == Knock::Stranger ? tr("ほかの利用者が連絡口を使っています")
                                                      : Reason(error))};
        }
        // A copy that has just ended may leave its name for a moment after
        // its lock; one that keeps it and never answers may be on these files.
        if (deadline.hasExpired()) return NoAnswer();
        std::this_thread::sleep_for(kRetryPause);
    }
    // Earlier builds locked an empty file of this name; it guards nothing now.
    struct stat old {};
    if (::fstatat(dirFd_, kOldLockFile, &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode) &&
        old.st_size == 0 && old.st_uid == ::geteuid()) {
        ::unlinkat(dirFd_, kOldLockFile, 0);
    }
    notifier_ = new QSocketNotifier(static_cast<qintptr>(listenFd_), QSocketNotifier::Read);
    connect(notifier_, &QSocketNotifier::activated, this, &SingleInstance::Accept);
    return {ClaimResult::Outcome::Running, {}};
}

void SingleInstance::Accept() {
    for (int i = 0; i < kAcceptsPerTurn; ++i) {
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) {
                // Out of descriptors: the waiting connection stays queued and
                // would wake us at once, so rest for a moment instead.
                notifier_->setEnabled(false);
                QTimer::singleShot(kClientMs, notifier_, [n = notifier_] { n->setEnabled(true); });
            }
            return;
        }
        if (clients_ >= kMaxClients || !FromThisUser(fd)) {
            ::close(fd);
            continue;
        }
        Serve(fd);
    }
}

void SingleInstance::Serve(int fd) {
    auto* client = new QLocalSocket(this);
    if (!client->setSocketDescriptor(fd)) {
        ::close(fd);
        delete client;
        return;
    }
    ++clients_;
    connect(client, &QObject::destroyed, this, [this] { --clients_; });
    client->setReadBufferSize(kMaxMessage);
    const auto drop = [client] {
        client->abort();
        client->deleteLater();
    };
    // Whatever it sends, a connection has this long before it is dropped.
    QTimer::singleShot(kClientMs, client, drop);
    connect(client, &QLocalSocket::readyRead, this, [this, client, drop] {
        if (!client->canReadLine()) {
            if (client->bytesAvailable() >= kMaxMessage) drop();
            return;
        }
        if (client->readLine(kMaxMessage) != kActivate) return drop();
        QByteArray token;
        if (client->canReadLine()) {
            const QByteArray line = client->readLine(kMaxMessage);
            if (line.startsWith(kTokenLine) && line.endsWith('\n')) {
                token = ActivationToken(line.sliced(sizeof kTokenLine - 1).chopped(1));
            }
        }
        emit activationRequested(token);
        client->write(kAnswer);
        client->flush();  // now, not at the next turn of the event loop
        client->disconnectFromServer();
    });
    connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
}

}  // namespace tilvaren
