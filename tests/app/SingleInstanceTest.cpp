#include <QtTest>

#include <signal.h>
#include <sys/stat.h>

#include <QProcess>
#include <memory>

#include "app/SingleInstance.hpp"
#include "support/TempDir.hpp"

namespace tilvaren {

namespace {

// The real program, copied alone into a fresh folder (it keeps its files
// beside itself), started headless with a runtime folder of the test's own.
class Copies {
public:
    Copies() {
        program_ = QString::fromStdString(programDir_.File("tilvaren"));
        QFile::copy(QStringLiteral(TILVAREN_EXECUTABLE), program_);
        QFile::setPermissions(program_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        ::chmod(runtime_.Path().c_str(), 0700);
    }
    QString Runtime() const { return QString::fromStdString(runtime_.Path()).chopped(1); }

    QProcess* Start() {
        auto* process = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", Runtime());
        env.insert("ASAN_OPTIONS", "detect_leaks=0");
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
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
    testing::TempDir runtime_;
    QString program_;
    std::vector<std::unique_ptr<QProcess>> processes_;
};

// Waits until the running copy listens (its socket exists).
bool WaitForSocket(const QString& runtime, int ms = 30000) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (QFileInfo::exists(runtime + "/tilvaren.socket")) return true;
        QTest::qWait(20);
    }
    return false;
}

}  // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void SecondStartRaisesTheFirstAndEnds();
    void TenStartsAtOnceLeaveOneWindow();
    void AKilledCopyDoesNotStopTheNextStart();
};

void SingleInstanceTest::SecondStartRaisesTheFirstAndEnds() {
    Copies copies;
    // This test process is the running copy; the real program is the second start.
    SingleInstance first(copies.Runtime());
    QVERIFY(first.Claim());
    QSignalSpy raised(&first, &SingleInstance::activationRequested);
    QProcess* second = copies.Start();
    QVERIFY(raised.wait(30000));
    QVERIFY(second->waitForFinished(30000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
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
    QTest::qWait(200);
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
    QVERIFY(WaitForSocket(copies.Runtime()));
    ::kill(static_cast<pid_t>(first->processId()), SIGKILL);
    QVERIFY(first->waitForFinished(10000));
    QVERIFY(QFileInfo::exists(copies.Runtime() + "/tilvaren.socket"));  // left behind

    QProcess* next = copies.Start();
    QVERIFY(!next->waitForFinished(1500) || next->state() == QProcess::Running);
    QCOMPARE(next->state(), QProcess::Running);
    // It is the running copy now: a further start ends at once.
    QProcess* another = copies.Start();
    QVERIFY(another->waitForFinished(30000));
    QCOMPARE(another->exitCode(), 0);
    QCOMPARE(next->state(), QProcess::Running);
}

}  // namespace tilvaren

QTEST_MAIN(tilvaren::SingleInstanceTest)
#include "SingleInstanceTest.moc"
