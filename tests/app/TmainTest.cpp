#include <QtTest>

#include <sys/inotify.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include "app/WindowTestSupport.hpp"
#include "records/FileNames.hpp"
#include "ui/Geometry.hpp"

namespace tilvaren {

using testing::ReadAll;
using testing::WindowFixture;

namespace {

// A window that notes what the player would see at chosen moments.
class ObservedWindow : public Tmain {
public:
    using Tmain::Tmain;
    void MenuFrameSet() override {
        cellZeroShownSelectedAtMenuFrameSet = !Image(0)->isHidden();
        Tmain::MenuFrameSet();
    }
    void ApplyCell(int n, const CellTarget& target) override {
        applied.push_back(n);
        Tmain::ApplyCell(n, target);
    }
    bool cellZeroShownSelectedAtMenuFrameSet = true;
    std::vector<int> applied;
};

bool Enabled(const Tmain& w, const char* item) { return w.Menus().Item(item)->isEnabled(); }
bool FrameMenuEnabled(const Tmain& w) { return w.Menus().Menu("menuVFF")->menuAction()->isEnabled(); }

QString PiecePanels(Tmain& w) {
    QString text;
    for (int i = 1; i <= 12; ++i) text += w.Status().PanelText(i);
    return text;
}

void Click(Tmain& w, int n) {
    QWidget* control = w.Button(n)->isHidden() ? static_cast<QWidget*>(w.Image(n)) : w.Button(n);
    QTest::mouseClick(control, Qt::LeftButton);
}

}  // namespace

class TmainTest : public QObject {
    Q_OBJECT
private slots:
    void StartsWithDefaultsAndWritesItsFiles();
    void FirstClickLocksTheFrameBeforeTheCellIsShown();
    void AClickTouchesOnlyTheCellsItChanged();
    void PiecePanelsFollowTheGame();
    void GeometryForEveryFrameAndSize();
    void BarTogglesMoveNoCell();
    void CommandsThatChangeNothing();
    void FrameCommandResetsAndRelabels();
    void TurnMirrorAndResetCommands();
    void ShortcutsWorkWithoutTheMenuBar();
    void BestCellComesFirstInTheTabOrder();
    void CompletionCongratulatesAndRecords();
    void FailedAppendIsReported();
    void CloseWritesSettingsThenGame();
    void CloseTellsWhatWasNotSaved();
    void RejectedSavedGameIsReportedOnce();
};

void TmainTest::StartsWithDefaultsAndWritesItsFiles() {
    WindowFixture f;
    Tmain w(f.Make());
    QCOMPARE(w.GameBoard().FrameY, 6);
    QCOMPARE(w.CurrentSettings().FrameSize, 24);
    QVERIFY(!w.GameBoard().GameStarted);
    for (int n = 0; n < 60; ++n) {
        QVERIFY(!w.Button(n)->isHidden());
        QVERIFY(w.Image(n)->isHidden());
    }
    QCOMPARE(ReadAll(f.dir.File(kSettingsFile)),
             std::string("[Pentomino]\r\niniFrameY=6\r\n[Environment]\r\niniFrameSize=24\r\niniMenuBarOn=1\r\n"
                         "iniStatusBarOn=1\r\n"));
    QVERIFY(FileExists(f.dir.File(kSolutionFile)));
    QCOMPARE(ReadAll(f.dir.File(kSolutionFile)), std::string());
    QVERIFY(!FileExists(f.dir.File(kSavedGameFile)));
    QCOMPARE(w.Status().PanelText(0), QString("6 * 10"));
    QCOMPARE(PiecePanels(w), QString("FILNPTUVWXYZ"));
    QCOMPARE(w.Status().PanelText(13), QString());
    QVERIFY(FrameMenuEnabled(w));
    QVERIFY(!Enabled(w, "menuVF6") && Enabled(w, "menuVF5") && Enabled(w, "menuVF4") && Enabled(w, "menuVF3"));
    QVERIFY(!Enabled(w, "menuVD") && Enabled(w, "menuVF") && Enabled(w, "menuVS"));
    QVERIFY(!Enabled(w, "menuET") && !Enabled(w, "menuEM") && !Enabled(w, "menuEU"));
    for (const char* always : {"N6", "N8", "N7", "N10", "menuEC", "menuVP"}) QVERIFY(!Enabled(w, always));
    QCOMPARE(w.Menus().Item("menuEU")->text(), kUCaptionCreated);
    QVERIFY(f.dialogs.messages.isEmpty());
}

void TmainTest::FirstClickLocksTheFrameBeforeTheCellIsShown() {
    WindowFixture f;
    testing::WriteAll(f.dir.File(kSoundFile), "RIFF");  // the player's own sound wins
    ObservedWindow w(f.Make());
    Click(w, 0);
    QVERIFY(!w.cellZeroShownSelectedAtMenuFrameSet);
    QVERIFY(!w.Image(0)->isHidden() && w.Image(0)->isEnabled());
    QVERIFY(!FrameMenuEnabled(w));
    QVERIFY(Enabled(w, "menuET") && Enabled(w, "menuEM") && Enabled(w, "menuEU"));
    QCOMPARE(f.sound.played, std::vector<std::string>{f.dir.File(kSoundFile)});
}

void TmainTest::AClickTouchesOnlyTheCellsItChanged() {
    WindowFixture f;
    ObservedWindow w(f.Make());
    for (const int n : {0, 1, 2, 3, 4, 10}) {
        const auto before = w.GameBoard().Bsts;
        w.applied.clear();
        Click(w, n);
        std::vector<int> changed;
        for (int c = 0; c < 60; ++c) {
            const auto g = static_cast<std::size_t>(w.GameBoard().ChangeTo307(c));
            if (before[g] != w.GameBoard().Bsts[g] || w.GameBoard().Bsts[g] == 'I') {
                if (before[g] != w.GameBoard().Bsts[g]) changed.push_back(c);
            }
        }
        QCOMPARE(w.applied, changed);
    }
    // The I along the top is drawn from its outline tiles, its neighbour cell stays a button.
    QCOMPARE(w.Image(0)->Picture().toImage(), w.Tiles().TileByCode(100, 24).toImage());
    QCOMPARE(w.Image(2)->Picture().toImage(), w.Tiles().TileByCode(101, 24).toImage());
    QCOMPARE(w.Image(4)->Picture().toImage(), w.Tiles().TileByCode(1, 24).toImage());
    QCOMPARE(w.Image(10)->Picture().toImage(), w.Tiles().TileByCode(0, 24).toImage());
    QVERIFY(!w.Image(59)->isEnabled() && !w.Image(59)->isHidden());
    // A blocked image ignores clicks; an empty cell's button is back once the selection goes.
    QTest::mouseClick(w.Image(59), Qt::LeftButton);
    QCOMPARE(w.GameBoard().CellCode(59), kBlocked);
    Click(w, 10);
    QVERIFY(!w.Button(59)->isHidden());
}

void TmainTest::PiecePanelsFollowTheGame() {
    WindowFixture f;
    Tmain w(f.Make());
    for (const int n : {0, 1, 2, 3}) Click(w, n);
    QCOMPARE(PiecePanels(w), QString("-IL-------Y-"));
    Click(w, 4);
    QCOMPARE(PiecePanels(w), QString("F LNPTUVWXYZ"));
    Click(w, 0);  // take the I back
    QCOMPARE(PiecePanels(w), QString("FILNPTUVWXYZ"));
    QCOMPARE(w.Status().PanelText(13), QString());
    QCOMPARE(w.Status().Panel(12)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QCOMPARE(w.Status().Panel(11)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(w.Status().Panel(0)->width(), 40);
    QCOMPARE(w.Status().Panel(13)->width(), 50);
}

void TmainTest::GeometryForEveryFrameAndSize() {
    for (const int frameY : {6, 5, 4, 3}) {
        for (const int size : {18, 24, 32}) {
            WindowFixture f;
            testing::WriteAll(f.dir.File(kSettingsFile), "[Pentomino]\niniFrameY=" + std::to_string(frameY) +
                                                             "\n[Environment]\niniFrameSize=" + std::to_string(size) + "\n");
            Tmain w(f.Make());
            w.show();
            QCoreApplication::processEvents();
            const int frameX = 60 / frameY;
            const BoardGeometry g = BoardGeometryFor(frameX, frameY, size);
            const QString where = QString("%1 x %2 at %3").arg(frameY).arg(frameX).arg(size);
            QVERIFY2(w.BoardArea()->size() == QSize(g.areaWidth, g.areaHeight), qPrintable(where));
            QCOMPARE(w.BoardArea()->width() + 8, std::max(250, (frameX + 1) * size + 8));
            QCOMPARE(w.width(), w.BoardArea()->width());
            QCOMPARE(w.height(), w.BoardArea()->height() + w.menuBar()->height() + w.statusBar()->height());
            for (int n = 0; n < 60; ++n) {
                const QRect expected(CellOffset(n % frameX, size) + g.centringShift, CellOffset(n / frameX, size),
                                     size, size);
                QVERIFY2(w.Button(n)->geometry() == expected && w.Image(n)->geometry() == expected,
                         qPrintable(where + QString(" cell %1").arg(n)));
            }
            if (size == 18 && frameY == 6) QCOMPARE(w.Button(0)->x(), 9 + 22);
            if (size == 18 && frameY == 5) QCOMPARE(w.Button(0)->x(), 9 + 4);
        }
    }
}

void TmainTest::BarTogglesMoveNoCell() {
    WindowFixture f;
    Tmain w(f.Make());
    w.show();
    QCoreApplication::processEvents();
    const QRect cell = w.Button(59)->geometry();
    const int height = w.height();
    w.menuVNClick();
    QCoreApplication::processEvents();
    QVERIFY(!w.CurrentSettings().MenuBarOn && w.CurrentSettings().StatusBarOn);
    QVERIFY(w.menuBar()->isHidden() && !w.statusBar()->isHidden());
    QVERIFY(w.height() < height);
    w.FormDblClick();  // not both shown: both come back
    QVERIFY(w.CurrentSettings().MenuBarOn && w.CurrentSettings().StatusBarOn);
    w.FormDblClick();  // both shown: both go
    QVERIFY(!w.CurrentSettings().MenuBarOn && !w.CurrentSettings().StatusBarOn);
    QCoreApplication::processEvents();
    QCOMPARE(w.height(), w.BoardArea()->height());
    w.menuVBClick();
    QVERIFY(!w.CurrentSettings().MenuBarOn && w.CurrentSettings().StatusBarOn);
    QCOMPARE(w.Button(59)->geometry(), cell);
    QCOMPARE(w.width(), w.BoardArea()->width());
}

void TmainTest::CommandsThatChangeNothing() {
    WindowFixture f;
    ObservedWindow w(f.Make());
    Click(w, 0);
    w.applied.clear();
    const auto board = w.GameBoard().Bsts;
    w.SizeCommand(24);     // the size in use
    w.FrameCommand(5);     // locked during a game
    w.FrameCommand(6);     // the frame in use
    QVERIFY(w.applied.empty());
    QCOMPARE(w.GameBoard().Bsts, board);
    QCOMPARE(w.GameBoard().FrameY, 6);
    // Another size keeps the game and redraws every cell at the new size.
    w.SizeCommand(32);
    QCOMPARE(w.applied.size(), 60U);
    QCOMPARE(w.GameBoard().Bsts, board);
    QCOMPARE(w.Image(0)->Picture().width(), 32);
    QCOMPARE(w.Button(1)->size(), QSize(32, 32));
    QVERIFY(!Enabled(w, "menuVF") && Enabled(w, "menuVD") && Enabled(w, "menuVS"));
}

void TmainTest::FrameCommandResetsAndRelabels() {
    WindowFixture f;
    Tmain w(f.Make());
    w.FrameCommand(4);
    QCOMPARE(w.GameBoard().FrameY, 4);
    QCOMPARE(w.GameBoard().FrameX, 15);
    QCOMPARE(w.Status().PanelText(0), QString("4 * 15"));
    QVERIFY(!Enabled(w, "menuVF4") && Enabled(w, "menuVF6"));
    QCOMPARE(w.Menus().Item("menuEU")->text(), kUCaptionOtherFrames);
    QCOMPARE(w.Button(59)->geometry(), QRect(CellOffset(14, 24), CellOffset(3, 24), 24, 24));
    Click(w, 0);
    QVERIFY(Enabled(w, "menuET") && !Enabled(w, "menuEU"));
    w.menuERClick();
    QVERIFY(FrameMenuEnabled(w));
    w.FrameCommand(6);
    QCOMPARE(w.Menus().Item("menuEU")->text(), kUCaptionSixByTen);
    QCOMPARE(w.Status().PanelText(0), QString("6 * 10"));
}

void TmainTest::TurnMirrorAndResetCommands() {
    WindowFixture f;
    ObservedWindow w(f.Make());
    Click(w, 0);
    w.applied.clear();
    w.menuETClick();
    QCOMPARE(w.GameBoard().CellCode(59), kSelected);
    QCOMPARE(w.applied.size(), 60U);
    QVERIFY(!w.Image(59)->isHidden() && w.Image(59)->isEnabled());
    QVERIFY(w.Button(0)->isHidden() && !w.Image(0)->isEnabled());  // 59 was blocked
    w.menuEMClick();
    QCOMPARE(w.GameBoard().CellCode(50), kSelected);
    w.menuERClick();
    QVERIFY(!w.GameBoard().GameStarted);
    QCOMPARE(w.GameBoard().CellCode(50), kEmpty);
    QVERIFY(!Enabled(w, "menuET") && !Enabled(w, "menuEM") && !Enabled(w, "menuEU"));
    QVERIFY(FrameMenuEnabled(w));
    QCOMPARE(PiecePanels(w), QString("FILNPTUVWXYZ"));
}

void TmainTest::ShortcutsWorkWithoutTheMenuBar() {
    WindowFixture f;
    Tmain w(f.Make());
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_T, Qt::ControlModifier);  // disabled before a game: nothing
    QCOMPARE(w.GameBoard().CellCode(0), kEmpty);
    QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier);
    QVERIFY(!w.CurrentSettings().MenuBarOn);
    QTest::keyClick(&w, Qt::Key_F4, Qt::ControlModifier);
    QCOMPARE(w.GameBoard().FrameY, 4);
    Click(w, 0);
    QTest::keyClick(&w, Qt::Key_F5, Qt::ControlModifier);  // locked during a game
    QCOMPARE(w.GameBoard().FrameY, 4);
    QTest::keyClick(&w, Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(w.GameBoard().CellCode(59), kSelected);
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(w.CurrentSettings().FrameSize, 18);
    QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier);
    QVERIFY(w.CurrentSettings().MenuBarOn);
    QVERIFY(!w.menuBar()->isHidden());
}

void TmainTest::BestCellComesFirstInTheTabOrder() {
    WindowFixture f;
    Tmain w(f.Make());
    Click(w, 24);
    Click(w, 15);
    QCOMPARE(w.TabOrder().front(), 15);
    QWidget* first = w.nextInFocusChain();
    while (first != &w && first->focusPolicy() == Qt::NoFocus) first = first->nextInFocusChain();
    QCOMPARE(first, static_cast<QWidget*>(w.Button(15)));
    // All 60 buttons stay in the chain, each once.
    std::set<QWidget*> seen;
    for (QWidget* it = first; seen.insert(it).second; it = it->nextInFocusChain()) {
    }
    for (int n = 0; n < 60; ++n) QVERIFY(seen.count(w.Button(n)));
}

void TmainTest::CompletionCongratulatesAndRecords() {
    WindowFixture f;
    Tmain w(f.Make());
    const char* rows[] = {"FFIIIIILZZ", "VFFYLLLLZN", "VFYYYYXZZN", "VVVTWXXXNN", "PPPTWWXUNU", "PPTTTWWUUU"};
    std::string order;
    for (const char* row : rows) {
        for (const char* c = row; *c; ++c) {
            if (order.find(*c) == std::string::npos) order += *c;
        }
    }
    for (const char letter : order) {
        for (int n = 0; n < 60; ++n) {
            if (rows[n / 10][n % 10] == letter && w.GameBoard().CellCode(n) == kEmpty && !w.GameBoard().AllPiecesPlaced()) {
                Click(w, n);
            }
        }
    }
    QCOMPARE(f.dialogs.messages, QStringList{"Congratulations!"});
    QCOMPARE(PiecePanels(w), QString("            "));
    QVERIFY(Enabled(w, "menuET") && Enabled(w, "menuEM"));
    const std::string line = ReadAll(f.dir.File(kSolutionFile));
    QVERIFY2(line.rfind("6,", 0) == 0 && line.size() > 4 && line.substr(line.size() - 6) == "0001\r\n", line.c_str());
    // The U correction turned the board: the U's cup is now in the upper left.
    QCOMPARE(w.GameBoard().CellCode(0), 'U');
    QCOMPARE(w.Image(0)->Picture().toImage(), w.Tiles().TileByCode(110, 24).toImage());
}

void TmainTest::FailedAppendIsReported() {
    WindowFixture f;
    Tmain w(f.Make());
    ::unlink(f.dir.File(kSolutionFile).c_str());
    ::mkdir(f.dir.File(kSolutionFile).c_str(), 0755);
    w.SolutionAppend();
    QCOMPARE(f.dialogs.messages.size(), 1);
    QVERIFY(f.dialogs.messages[0].contains("Tilvaren.csv"));
    QVERIFY(f.dialogs.messages[0].contains(QString::fromUtf8("フォルダーです")));
}

void TmainTest::CloseWritesSettingsThenGame() {
    WindowFixture f;
    auto w = std::make_unique<Tmain>(f.Make());
    Click(*w, 0);
    w->menuVBClick();
    const int watch = ::inotify_init1(IN_NONBLOCK);
    QVERIFY(watch >= 0);
    QVERIFY(::inotify_add_watch(watch, f.dir.Path().c_str(), IN_MOVED_TO) >= 0);
    QVERIFY(w->close());
    std::vector<std::string> renamed;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t n; (n = ::read(watch, buffer, sizeof buffer)) > 0;) {
        for (char* p = buffer; p < buffer + n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(p);
            renamed.emplace_back(event->name);
            p += sizeof(inotify_event) + event->len;
        }
    }
    ::close(watch);
    QCOMPARE(renamed, (std::vector<std::string>{kSettingsFile, kSavedGameFile}));
    QVERIFY(ReadAll(f.dir.File(kSettingsFile)).find("iniStatusBarOn=0") != std::string::npos);
    QVERIFY(ReadAll(f.dir.File(kSavedGameFile)).rfind("6,--,-,-,1,", 0) == 0);
}

void TmainTest::CloseTellsWhatWasNotSaved() {
    // The question is asked only when the game itself could not be saved; a
    // settings file unreadable at start-up is told then, and never again.
    struct Case {
        const char* name;
        bool iniUnreadableAtStart;
        bool iniBrokenBeforeClose;
        bool gameBroken;
        QStringList messagesAtClose;  // beginnings of the texts
        QString question;             // beginning, or empty: none asked
    };
    const Case cases[] = {
        {"settings only", false, true, false, {QString::fromUtf8("設定ファイルを保存できませんでした")}, {}},
        {"game only", false, false, true, {}, QString::fromUtf8("ゲームを保存できませんでした")},
        {"both", false, true, true, {}, QString::fromUtf8("ゲームと設定を保存できませんでした")},
        {"settings unreadable since start-up", true, false, false, {}, {}},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        if (c.iniUnreadableAtStart) ::mkdir(f.dir.File(kSettingsFile).c_str(), 0755);
        Tmain w(f.Make());
        w.show();
        QTRY_COMPARE(f.dialogs.messages.size(), c.iniUnreadableAtStart ? 1 : 0);
        f.dialogs.messages.clear();
        if (c.iniBrokenBeforeClose) {
            ::unlink(f.dir.File(kSettingsFile).c_str());
            ::mkdir(f.dir.File(kSettingsFile).c_str(), 0755);
        }
        if (c.gameBroken) ::mkdir(f.dir.File(kSavedGameFile).c_str(), 0755);
        f.dialogs.answer = false;
        QCOMPARE(w.close(), c.question.isEmpty());
        QCOMPARE(f.dialogs.messages.size(), c.messagesAtClose.size());
        for (int i = 0; i < c.messagesAtClose.size(); ++i) {
            QVERIFY2(f.dialogs.messages[i].startsWith(c.messagesAtClose[i]), c.name);
        }
        QCOMPARE(f.dialogs.questions.size(), c.question.isEmpty() ? 0 : 1);
        if (!c.question.isEmpty()) {
            QVERIFY2(f.dialogs.questions[0].startsWith(c.question), c.name);
            f.dialogs.answer = true;
            QVERIFY(w.close());
        }
    }
}

void TmainTest::RejectedSavedGameIsReportedOnce() {
    WindowFixture f;
    testing::WriteAll(f.dir.File(kSavedGameFile), "6,--,-,-,3,3\r\n");
    Tmain w(f.Make());
    QVERIFY(f.dialogs.messages.isEmpty());  // not before the window is up
    w.show();
    QTRY_COMPARE(f.dialogs.messages.size(), 1);
    QVERIFY(f.dialogs.messages[0].contains(kRejectedSavedGameFile));
    QCOMPARE(ReadAll(f.dir.File(kRejectedSavedGameFile)), std::string("6,--,-,-,3,3\r\n"));
    w.hide();
    w.show();
    QCoreApplication::processEvents();
    QCOMPARE(f.dialogs.messages.size(), 1);
    QCOMPARE(w.GameBoard().CellCode(0), kEmpty);
}

}  // namespace tilvaren

QTEST_MAIN(tilvaren::TmainTest)
#include "TmainTest.moc"
