#include <QtTest>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QProcess>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>

#include "app/SingleInstance.hpp"
#include "support/TempDir.hpp"

namespace tilvaren {

namespace {

using Outcome = ClaimResult::Outcome;

// The real program, copied alone into a fresh folder (it keeps its files
// beside itself), started headless.
class Copies {
public:
    Copies() {
        program_ = QString::fromStdString(programDir_.File("tilvaren"));
        QFile::copy(QStringLiteral(TILVAREN_EXECUTABLE), program_);
        QFile::setPermissions(program_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const std::string& ProgramDir() const { return programDir_.Path(); }
    // "NAME=VALUE" pairs put into the environment of every later start, as a launcher would.
    QStringList launcher;

    // `runtime`: the runtime folder it is given; "" starts it without one.
    // `maxFileSize`: the largest file it may write, in bytes (ulimit -f); 0 for no limit.
    QProcess* Start(const QString& runtime = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR")), int maxFiles = 0,
                    const QString& dataHome = {}, rlim_t maxFileSize = 0) {
        auto* process = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!dataHome.isEmpty()) {
            // Started as "nobody", for whom the program's folder is read-only.
            env.insert("XDG_DATA_HOME", dataHome);
            env.insert("HOME", dataHome);
            process->setChildProcessModifier([] {
                if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(99);
            });
            ::chmod(programDir_.Path().c_str(), 0755);
            QFile::setPermissions(program_, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        }
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.remove("XDG_RUNTIME_DIR");
        if (!runtime.isEmpty()) env.insert("XDG_RUNTIME_DIR", runtime);
        env.insert("ASAN_OPTIONS", "detect_leaks=0");
        env.remove("XDG_ACTIVATION_TOKEN");
        env.remove("DESKTOP_STARTUP_ID");
        for (const QString& pair : launcher) env.insert(pair.section('=', 0, 0), pair.section('=', 1));
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        if (maxFiles > 0) {
            process->setChildProcessModifier([maxFiles] {
                rlimit limit{};
                ::getrlimit(RLIMIT_NOFILE, &limit);
                limit.rlim_cur = static_cast<rlim_t>(maxFiles);
                ::setrlimit(RLIMIT_NOFILE, &limit);
            });
        }
        if (maxFileSize > 0) {
            process->setChildProcessModifier([maxFileSize] {
                const rlimit limit{maxFileSize, maxFileSize};
                ::setrlimit(RLIMIT_FSIZE, &limit);
            });
        }
        process->start(program_, {});
        processes_.emplace_back(process);
        return process;
    }
    ~Copies() {
        for (auto& p : processes_) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(10000);
            }
        }
    }

private:
    testing::TempDir programDir_;
    QString program_;
    std::vector<std::unique_ptr<QProcess>> processes_;
};

socklen_t AddressOf(const std::string& programDir, sockaddr_un& address) {
    const std::string name = InstanceSocketName(programDir);
    address = {};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, name.data(), name.size());
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
}

// A blocking connection to the running copy's socket; -1 when refused.
int Connect(const std::string& programDir) {
    sockaddr_un address;
    const socklen_t size = AddressOf(programDir, address);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const timeval limit{5, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), size) == 0) return fd;
    ::close(fd);
    return -1;
}

// A socket on the running copy's name that never accepts.
int Listen(const std::string& programDir) {
    sockaddr_un address;
    const socklen_t size = AddressOf(programDir, address);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), size) != 0 || ::listen(fd, 4) != 0) {
        qWarning("cannot listen: %s", std::strerror(errno));
    }
    return fd;
}

bool WaitUntilListening(const std::string& programDir) {
    QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired()) {
        const int fd = Connect(programDir);
        if (fd >= 0) {
            ::close(fd);
            return true;
        }
        QTest::qWait(20);
    }
    return false;
}

bool EndsWith0(QProcess* process) {
    return process->waitForFinished(30000) && process->exitStatus() == QProcess::NormalExit &&
           process->exitCode() == 0;
}

}  // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void SecondStartRaisesTheFirstAndEnds_data();
    void SecondStartRaisesTheFirstAndEnds();
    void ARequestHandsOverOnlyAValidToken();
    void TenStartsAtOnceLeaveOneWindow();
    void AKilledCopyDoesNotStopTheNextStart();
    void WhoHoldsTheFolderDecidesTheStart();
    void AFloodOfIdleConnectionsDoesNotShutTheCopy();
    void AReadOnlyPortableFolderHandsItsFilesOver();
    void AFileSizeLimitFailsASaveButNotTheGame();
};

void SingleInstanceTest::SecondStartRaisesTheFirstAndEnds_data() {
    QTest::addColumn<bool>("ownRuntime");
    QTest::addColumn<bool>("filesDeleted");
    QTest::addColumn<QStringList>("launcher");
    QTest::addColumn<QByteArray>("handed");
    QTest::newRow("its own runtime folder") << true << false << QStringList() << QByteArray();
    QTest::newRow("no runtime folder") << false << false << QStringList() << QByteArray();
    QTest::newRow("the folder's files deleted under it") << false << true << QStringList() << QByteArray();
    // The token a launcher gives the second start goes on to the running copy.
    QTest::newRow("a Wayland launcher's token")
        << true << false << QStringList{"XDG_ACTIVATION_TOKEN=kwin-42"} << QByteArray("kwin-42");
    QTest::newRow("an X11 startup id")
        << true << false << QStringList{"DESKTOP_STARTUP_ID=desk;1203;0_TIME5678"} << QByteArray("desk;1203;0_TIME5678");
    QTest::newRow("both: the Wayland token")
        << true << false << QStringList{"DESKTOP_STARTUP_ID=x11-id", "XDG_ACTIVATION_TOKEN=wl-id"}
        << QByteArray("wl-id");
    QTest::newRow("a token with a control character: the startup id")
        << true << false << QStringList{"XDG_ACTIVATION_TOKEN=a\x1b[2Jb", "DESKTOP_STARTUP_ID=x11-id"}
        << QByteArray("x11-id");
    QTest::newRow("a token longer than any launcher's: none")
        << true << false << QStringList{"XDG_ACTIVATION_TOKEN=" + QString(256, 'a')} << QByteArray();
    QTest::newRow("an empty token: none") << true << false << QStringList{"XDG_ACTIVATION_TOKEN="} << QByteArray();
}

// The guard is the program folder, whatever the environment of either start
// and whatever happened to the files in the folder; the running copy gets
// the activation token the second start was launched with.
void SingleInstanceTest::SecondStartRaisesTheFirstAndEnds() {
    QFETCH(bool, ownRuntime);
    QFETCH(bool, filesDeleted);
    QFETCH(QStringList, launcher);
    QFETCH(QByteArray, handed);
    Copies copies;
    copies.launcher = launcher;
    testing::TempDir runtime;
    // This test process is the running copy; the real program is the second start.
    SingleInstance first(copies.ProgramDir());
    QCOMPARE(first.Claim().outcome, Outcome::Running);
    if (filesDeleted) {
        for (const QString& name : QDir(QString::fromStdString(copies.ProgramDir())).entryList(QDir::Files)) {
            if (name != QStringLiteral("tilvaren")) {
                QVERIFY(QFile::remove(QString::fromStdString(copies.ProgramDir()) + name));
            }
        }
    }
    QSignalSpy raised(&first, &SingleInstance::activationRequested);
    QProcess* second = copies.Start(ownRuntime ? QString::fromStdString(runtime.Path()) : QString());
    QVERIFY(raised.wait(30000));
    QVERIFY(EndsWith0(second));
    QCOMPARE(raised.size(), 1);
    QCOMPARE(raised.front().front().toByteArray(), handed);
}

// What another process writes on the socket is untrusted: only a request
// brings the copy forward, and only a valid token goes on with it.
void SingleInstanceTest::ARequestHandsOverOnlyAValidToken() {
    struct Case {
        const char* name;
        QByteArray sent;
        bool raises;
        QByteArray token;
    };
    const Case cases[] = {
        {"a request alone, as earlier builds send it", "activate\n", true, ""},
        {"a request with its token", "activate\ntoken gnome-shell/tilvaren/2-0-host_TIME90\n", true,
         "gnome-shell/tilvaren/2-0-host_TIME90"},
        {"a token with a space", "activate\ntoken a b\n", true, ""},
        {"a token with a terminal's escape", "activate\ntoken a\x1b]0;x\x07\n", true, ""},
        {"a token past the longest", "activate\ntoken " + QByteArray(256, 't') + "\n", true, ""},
        {"an unfinished token line", "activate\ntoken abc", true, ""},
        {"another line after the request", "activate\ntokens abc\n", true, ""},
        {"a token before the request", "token abc\nactivate\n", false, ""},
        {"no request", "hello\n", false, ""},
    };
    Copies copies;
    SingleInstance first(copies.ProgramDir());
    QCOMPARE(first.Claim().outcome, Outcome::Running);
    QSignalSpy raised(&first, &SingleInstance::activationRequested);
    for (const Case& c : cases) {
        raised.clear();
        const int fd = Connect(copies.ProgramDir());
        QVERIFY2(fd >= 0, c.name);
        QVERIFY2(::send(fd, c.sent.data(), c.sent.size(), MSG_NOSIGNAL) == c.sent.size(), c.name);
        // The copy answers a request and drops anything else: either way it closes.
        QByteArray answer;
        QTRY_VERIFY2_WITH_TIMEOUT(([&] {
                                      pollfd wait{fd, POLLIN, 0};
                                      char buffer[8];
                                      if (::poll(&wait, 1, 0) != 1) return false;
                                      const ssize_t n = ::read(fd, buffer, sizeof buffer);
                                      if (n > 0) answer.append(buffer, n);
                                      return n <= 0;
                                  }()),
                                  c.name, 10000);
        ::close(fd);
        QVERIFY2(answer == (c.raises ? "ok\n" : ""), c.name);
        QVERIFY2(raised.size() == (c.raises ? 1 : 0), c.name);
        if (c.raises) QVERIFY2(raised.front().front().toByteArray() == c.token, c.name);
    }
}

void SingleInstanceTest::TenStartsAtOnceLeaveOneWindow() {
    Copies copies;
    std::vector<QProcess*> started;
    for (int i = 0; i < 10; ++i) started.push_back(copies.Start());
    // Nine end by themselves; one stays with its window.
    QDeadlineTimer deadline(120000);
    int finished = 0;
    while (!deadline.hasExpired()) {
        finished = 0;
        for (QProcess* p : started) finished += p->state() == QProcess::NotRunning ? 1 : 0;
        if (finished >= 9) break;
        QTest::qWait(50);
    }
    QCOMPARE(finished, 9);
    int running = 0;
    for (QProcess* p : started) {
        if (p->state() != QProcess::NotRunning) {
            ++running;
        } else {
            QCOMPARE(p->exitCode(), 0);
        }
    }
    QCOMPARE(running, 1);
}

void SingleInstanceTest::AKilledCopyDoesNotStopTheNextStart() {
    Copies copies;
    QProcess* first = copies.Start();
    QVERIFY(WaitUntilListening(copies.ProgramDir()));
    ::kill(static_cast<pid_t>(first->processId()), SIGKILL);
    QVERIFY(first->waitForFinished(10000));

    QProcess* next = copies.Start();
    QVERIFY(WaitUntilListening(copies.ProgramDir()));
    // It is the running copy now: a further start ends at once.
    QVERIFY(EndsWith0(copies.Start()));
    QCOMPARE(next->state(), QProcess::Running);
}

// Whoever holds the folder's lock or its socket's name decides the start:
// only a copy of this user's that answers is handed over to, only a stranger
// on the name alone lets this copy run, and every start that ends says why.
void SingleInstanceTest::WhoHoldsTheFolderDecidesTheStart() {
    enum class Holder { Silent, Answering, Stranger };
    struct Case {
        const char* name;
        bool folderLocked;
        Holder onTheName;
        Outcome outcome;
        bool needsRoot = false;
    };
    const Case cases[] = {
        {"a copy that never answers", true, Holder::Silent, Outcome::Unreachable},
        {"a stranger on a locked folder's name", true, Holder::Stranger, Outcome::Refused, true},
        {"a copy of this user's that answers, the folder unlocked", false, Holder::Answering, Outcome::Forwarded},
        {"a process of this user's that never answers", false, Holder::Silent, Outcome::Unreachable},
        {"a stranger on the name", false, Holder::Stranger, Outcome::Running, true},
    };
    for (const Case& c : cases) {
        if (c.needsRoot && ::geteuid() != 0) continue;
        testing::TempDir dir;
        const int lock = ::open(dir.Path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (c.folderLocked) QVERIFY(::flock(lock, LOCK_EX | LOCK_NB) == 0);
        int listener = -1;
        std::thread answering;
        QProcess stranger;
        if (c.onTheName == Holder::Stranger) {
            // A process of "nobody" holds the name; SO_PEERCRED tells who listens.
            sockaddr_un address;
            const socklen_t size = AddressOf(dir.Path(), address);
            stranger.setChildProcessModifier([address, size] {
                if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(99);
                const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
                if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), size) != 0 || ::listen(fd, 4) != 0) {
                    ::_exit(98);
                }
            });
            stranger.start(QStringLiteral("sleep"), {QStringLiteral("60")});
            QVERIFY(WaitUntilListening(dir.Path()));
        } else {
            listener = Listen(dir.Path());
        }
        if (c.onTheName == Holder::Answering) {
            answering = std::thread([listener] {
                pollfd wait{listener, POLLIN, 0};
                if (::poll(&wait, 1, 10000) != 1) return;
                const int fd = ::accept(listener, nullptr, nullptr);
                char request[16] = {};
                if (::read(fd, request, sizeof request - 1) > 0 && std::strcmp(request, "activate\n") == 0) {
                    [[maybe_unused]] const ssize_t sent = ::send(fd, "ok\n", 3, MSG_NOSIGNAL);
                }
                ::close(fd);
            });
        }
        SingleInstance start(dir.Path());
        const ClaimResult result = start.Claim(1000);
        if (answering.joinable()) answering.join();
        if (listener >= 0) ::close(listener);
        ::close(lock);
        stranger.kill();
        stranger.waitForFinished(10000);
        QVERIFY2(result.outcome == c.outcome, c.name);
        QVERIFY2(result.message.isEmpty() == (c.outcome == Outcome::Forwarded), c.name);
    }
}

// Idle connections by the thousand are shed: the copy still answers a start.
void SingleInstanceTest::AFloodOfIdleConnectionsDoesNotShutTheCopy() {
    Copies copies;
    QProcess* first = copies.Start(QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR")), 256);
    QVERIFY(WaitUntilListening(copies.ProgramDir()));
    // The copy runs short of descriptors long before a thousand are held.
    std::vector<int> flood;
    for (int fd; flood.size() < 1000 && (fd = Connect(copies.ProgramDir())) >= 0;) flood.push_back(fd);

    QVERIFY(EndsWith0(copies.Start()));
    SingleInstance another(copies.ProgramDir());
    QCOMPARE(another.Claim(30000).outcome, Outcome::Forwarded);
    QCOMPARE(first->state(), QProcess::Running);
    QCOMPARE(flood.size(), std::size_t{1000});
    for (int fd : flood) ::close(fd);
}

void SingleInstanceTest::AReadOnlyPortableFolderHandsItsFilesOver() {
    if (::geteuid() != 0) QSKIP("needs root to start the program as another user");
    Copies copies;
    std::string saved = "6,--,-,-";
    for (int n = 0; n < 60; ++n) saved += n == 0 ? ",1" : ",0";
    saved += ",2026/12/07,10:20:30,2026/12/07,10:20:30,0000\r\n";
    const std::string solutions = "a line of the player's register\r\n";
    testing::WriteAll(copies.ProgramDir() + "Tilvaren.tmp", saved);
    testing::WriteAll(copies.ProgramDir() + "Tilvaren.csv", solutions);
    testing::TempDir home;
    QVERIFY(::chown(home.Path().c_str(), 65534, 65534) == 0);
    const std::string moved = home.Path() + "tilvaren/";

    QProcess* first = copies.Start({}, 0, QString::fromStdString(home.Path()));
    QTRY_VERIFY_WITH_TIMEOUT(testing::ReadAll(moved + "Tilvaren.csv") == solutions, 30000);
    QTRY_VERIFY_WITH_TIMEOUT(testing::ReadAll(moved + "Tilvaren.tmp") == saved, 30000);
    QCOMPARE(first->state(), QProcess::Running);
    // The read-only folder keeps what it had.
    QCOMPARE(testing::ReadAll(copies.ProgramDir() + "Tilvaren.tmp"), saved);
    QCOMPARE(testing::ReadAll(copies.ProgramDir() + "Tilvaren.csv"), solutions);
}

// Past a file-size limit (ulimit -f) a save fails and is told; the copy goes
// on, and the file it could not rewrite stays whole, with no part left beside it.
void SingleInstanceTest::AFileSizeLimitFailsASaveButNotTheGame() {
    Copies copies;
    // Larger than the limit, so that rewriting it at the start cannot finish.
    const std::string settings = "[Pentomino]\r\niniFrameY=5\r\n; " + std::string(8000, 'x') + "\r\n";
    testing::WriteAll(copies.ProgramDir() + "Tilvaren.ini", settings);
    copies.Start(QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR")), 0, {}, 4096);
    QVERIFY(WaitUntilListening(copies.ProgramDir()));
    // Only a copy still running answers a second start, and only from its
    // event loop, after its start-up save.
    QVERIFY(EndsWith0(copies.Start()));
    QCOMPARE(testing::ReadAll(copies.ProgramDir() + "Tilvaren.ini"), settings);
    QCOMPARE(QDir(QString::fromStdString(copies.ProgramDir())).entryList({QStringLiteral("*.part")}), QStringList());
}

}  // namespace tilvaren

QTEST_MAIN(tilvaren::SingleInstanceTest)
#include "SingleInstanceTest.moc"
