#include <QtTest>

#include <QWindow>

#include "app/Activation.hpp"
#include "app/WindowFrame.hpp"
#include "app/WindowTestSupport.hpp"

namespace tilvaren {

using testing::ItemOf;
using testing::WindowFixture;

namespace {

constexpr char kWaylandToken[] = "XDG_ACTIVATION_TOKEN";

// A window system of any platform's name that records what the program asks
// of it. Activation is still done, so the window really comes forward.
struct RecordingWindowSystem {
    QStringList calls;
    WindowSystem Make(const QString& platform) {
        return {platform,
                [this](QWidget& window, const MotifHints& hints) {
                    calls << QString("hints %1 %2,%3,%4").arg(window.objectName()).arg(hints[0]).arg(hints[1]).arg(hints[2]);
                },
                [this](QWidget& window) {
                    calls << QString("activate %1 token=%2")
                                 .arg(window.objectName(), QString::fromLatin1(qgetenv(kWaylandToken)));
                    window.activateWindow();
                },
                [this](QWidget& window) { calls << "alert " + window.objectName(); }};
    }
};

// Shows the about box as the Help menu does, and closes it with OK.
bool ShowAndClose(QDialog& dialog) {
    dialog.show();
    const bool exposed = QTest::qWaitForWindowExposed(&dialog);
    dialog.accept();
    return exposed;
}

}  // namespace

class WindowSystemTest : public QObject {
    Q_OBJECT
private slots:
    void EachPlatformTakesItsOwnPath_data();
    void EachPlatformTakesItsOwnPath();
    void TheWindowKeepsItsExactSize();
};

void WindowSystemTest::EachPlatformTakesItsOwnPath_data() {
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QByteArray>("unspent");  // already in the environment
    QTest::addColumn<QByteArray>("handed");   // by the start that asks to come forward
    QTest::addColumn<QStringList>("aboutBox");
    QTest::addColumn<QStringList>("forward");
    QTest::addColumn<bool>("placed");
    const QStringList titleOnly{"hints Tversion 3,4,10"};
    QTest::newRow("X11") << "xcb" << QByteArray() << QByteArray() << titleOnly
                         << QStringList{"activate Tmain token="} << true;
    // X11 window managers take activation without a token.
    QTest::newRow("X11, a startup id handed") << "xcb" << QByteArray() << QByteArray("desk;1;0_TIME9") << titleOnly
                                              << QStringList{"activate Tmain token="} << true;
    QTest::newRow("Wayland, a token handed") << "wayland" << QByteArray() << QByteArray("kwin-7") << QStringList()
                                             << QStringList{"activate Tmain token=kwin-7"} << false;
    QTest::newRow("Wayland, no token") << "wayland" << QByteArray() << QByteArray() << QStringList()
                                       << QStringList{"activate Tmain token=", "alert Tmain"} << false;
    QTest::newRow("Wayland, the launcher's token still unspent")
        << "wayland" << QByteArray("launch-3") << QByteArray() << QStringList()
        << QStringList{"activate Tmain token=", "alert Tmain"} << false;
    QTest::newRow("Wayland, an old token replaced")
        << "wayland" << QByteArray("launch-3") << QByteArray("kwin-8") << QStringList()
        << QStringList{"activate Tmain token=kwin-8"} << false;
    QTest::newRow("Wayland through EGL") << "wayland-egl" << QByteArray() << QByteArray("t-1") << QStringList()
                                         << QStringList{"activate Tmain token=t-1"} << false;
    QTest::newRow("no desktop at all") << "offscreen" << QByteArray() << QByteArray() << QStringList()
                                       << QStringList{"activate Tmain token=", "alert Tmain"} << true;
}

// The about box's frame, the window's place on the screen and how the window
// comes forward for another start: X11 calls only on X11, and on Wayland a
// token in the environment for exactly the activation it was handed for.
void WindowSystemTest::EachPlatformTakesItsOwnPath() {
    QFETCH(QString, platform);
    QFETCH(QByteArray, unspent);
    QFETCH(QByteArray, handed);
    QFETCH(QStringList, aboutBox);
    QFETCH(QStringList, forward);
    QFETCH(bool, placed);
    RecordingWindowSystem recorder;
    const WindowSystem system = recorder.Make(platform);
    qunsetenv(kWaylandToken);
    if (!unspent.isEmpty()) qputenv(kWaylandToken, unspent);
    WindowFixture f;
    Services services = f.Make();
    services.windowSystem = &system;
    Tmain w(services);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.testAttribute(Qt::WA_Moved), placed);
    if (placed) {
        const QPoint off = w.frameGeometry().center() - w.screen()->availableGeometry().center();
        QVERIFY2(off.manhattanLength() <= 2, qPrintable(QString("%1,%2").arg(off.x()).arg(off.y())));
    }

    bool shown = false;
    f.dialogs.player = [&shown](QDialog& dialog) { return shown = ShowAndClose(dialog); };
    ItemOf(w, "menuHV")->trigger();
    QVERIFY(shown);
    QCOMPARE(recorder.calls, aboutBox);

    recorder.calls.clear();
    w.showMinimized();
    BringForward(w, handed, system);
    QCOMPARE(recorder.calls, forward);
    QVERIFY(!w.isMinimized() && w.isVisible());
    if (!system.IsX11()) QVERIFY(!qEnvironmentVariableIsSet(kWaylandToken));
    qunsetenv(kWaylandToken);
}

// However the window or one of its fixed dialogs is asked to take the whole
// screen (by Qt's own Wayland decorations, whose maximise button is always
// there, or by the desktop), it keeps its size; minimising is left alone.
void WindowSystemTest::TheWindowKeepsItsExactSize() {
    using Make = std::function<std::unique_ptr<QWidget>(WindowFixture&)>;
    const Make windows[] = {
        [](WindowFixture& f) { return std::make_unique<Tmain>(f.Make()); },
        [](WindowFixture&) { return std::make_unique<Toptions>(); },
        [](WindowFixture& f) { return std::make_unique<Tversion>(AboutInfoForBuild(), f.opener, f.help); },
    };
    struct Case {
        const char* name;
        std::function<void(QWidget&)> ask;
        Qt::WindowStates kept;
    };
    const Case cases[] = {
        {"the decorations' maximise button", [](QWidget& w) { w.windowHandle()->setWindowStates(Qt::WindowMaximized); },
         Qt::WindowNoState},
        {"the desktop's full screen", [](QWidget& w) { w.setWindowState(Qt::WindowFullScreen); }, Qt::WindowNoState},
        {"maximised through the widget", [](QWidget& w) { w.showMaximized(); }, Qt::WindowNoState},
        {"minimised", [](QWidget& w) { w.showMinimized(); }, Qt::WindowMinimized},
    };
    for (const Make& make : windows) {
        for (const Case& c : cases) {
            WindowFixture f;
            const std::unique_ptr<QWidget> window = make(f);
            QWidget& w = *window;
            w.show();
            const QString what = w.objectName() + ": " + c.name;
            QVERIFY2(QTest::qWaitForWindowExposed(&w), qPrintable(what));
            const QSize size = w.size();
            c.ask(w);
            QCoreApplication::processEvents();
            QVERIFY2(w.windowState() == c.kept, qPrintable(what));
            QVERIFY2(w.windowHandle()->windowStates() == c.kept, qPrintable(what));
            QVERIFY2(w.size() == size, qPrintable(what));
        }
    }
}

}  // namespace tilvaren

QTEST_MAIN(tilvaren::WindowSystemTest)
#include "WindowSystemTest.moc"
