#include <QAccessible>
#include <QDir>
#include <QThreadPool>
#include <QtTest>

#include <set>

#include "app/WindowTestSupport.hpp"
#include "records/FileNames.hpp"
#include "records/GameRecord.hpp"
#include "pieces/Solver.hpp"
#include "app/WindowFrame.hpp"
#include "session/Geometry.hpp"

namespace tilvaren {

using testing::BoardAreaOf;
using testing::ButtonOf;
using testing::ImageOf;
using testing::ItemOf;
using testing::ReadAll;
using testing::StatusOf;
using testing::WindowFixture;

class TmainTest : public QObject {
    Q_OBJECT
private slots:
    void GeometryForEveryFrameAndSize();
    void BarTogglesMoveNoCell();
    void FrameItemsRelabelTheWindow();
    void PlacedPieceDrawsItsTiles();
    void EachClickRebuildsTheTabOrder();
    void RejectedSavedGameIsReportedOnce();
    void PieceSupportStripFollowsTheBoard();
    void OneCongruenceCheckAtATime();
    void HintsMarkCellsUntilTheBoardChanges();
    void KeyboardPlaysAWholeGame();
    void CollectionFollowsTheRegister();
    void CollectionTellsAnUnreadableRegister();
    void ChallengeFromTheCollection();
    void CollectionComesBackWhereItWasLeft();
};

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
            const QFrame* area = BoardAreaOf(w);
            QVERIFY2(area->size() == QSize(g.areaWidth, g.areaHeight), qPrintable(where));
            QCOMPARE(area->width() + 8, std::max(250, (frameX + 1) * size + 8));
            QCOMPARE(w.width(), area->width());
            QCOMPARE(w.height(), area->height() + w.menuBar()->height() + w.statusBar()->height());
            for (int n = 0; n < 60; ++n) {
                const QRect expected(CellOffset(n % frameX, size) + g.centringShift, CellOffset(n / frameX, size),
                                     size, size);
                QVERIFY2(ButtonOf(w, n)->geometry() == expected && ImageOf(w, n)->geometry() == expected,
                         qPrintable(where + QString(" cell %1").arg(n)));
            }
            if (size == 18 && frameY == 6) QCOMPARE(ButtonOf(w, 0)->x(), 9 + 22);
            if (size == 18 && frameY == 5) QCOMPARE(ButtonOf(w, 0)->x(), 9 + 4);
        }
    }
    WindowFixture f;
    Tmain w(f.Make());
    const StatusPanels* status = StatusOf(w);
    QCOMPARE(status->Panel(12)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QCOMPARE(status->Panel(11)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(status->Panel(0)->width(), 40);
    QCOMPARE(status->Panel(13)->width(), 50);
}

void TmainTest::BarTogglesMoveNoCell() {
    WindowFixture f;
    Tmain w(f.Make());
    w.show();
    QCoreApplication::processEvents();
    const QRect cell = ButtonOf(w, 59)->geometry();
    const int height = w.height();
    QWidget* background = w.findChild<QWidget*>("Image1");
    struct Step {
        const char* item;  // empty: a double click on the board area's background
        bool menuBar, statusBar;
    };
    const Step steps[] = {
        {"menuVN", false, true},
        {"", true, true},  // not both shown: both come back
        {"", false, false},  // both shown: both go
        {"menuVB", false, true},
    };
    for (const Step& s : steps) {
        if (*s.item) {
            ItemOf(w, s.item)->trigger();
        } else {
            QTest::mouseDClick(background, Qt::LeftButton, {}, QPoint(2, 2));
        }
        QCoreApplication::processEvents();
        QCOMPARE(!w.menuBar()->isHidden(), s.menuBar);
        QCOMPARE(!w.statusBar()->isHidden(), s.statusBar);
        QCOMPARE(ButtonOf(w, 59)->geometry(), cell);
        QCOMPARE(w.width(), BoardAreaOf(w)->width());
        QCOMPARE(w.height(), BoardAreaOf(w)->height() + (s.menuBar ? w.menuBar()->height() : 0) +
                                 (s.statusBar ? w.statusBar()->height() : 0));
        QVERIFY(w.height() < height || (s.menuBar && s.statusBar));
    }
}

void TmainTest::FrameItemsRelabelTheWindow() {
    struct Case {
        std::vector<const char*> items;
        QString caption;  // of the U correction item
        QString framePanel;
    };
    const Case cases[] = {
        {{}, kUCaptionCreated, "6 * 10"},
        {{"menuVF4"}, kUCaptionOtherFrames, "4 * 15"},
        {{"menuVF5", "menuVF6"}, kUCaptionSixByTen, "6 * 10"},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        Tmain w(f.Make());
        for (const char* item : c.items) ItemOf(w, item)->trigger();
        QCOMPARE(ItemOf(w, "menuEU")->text(), c.caption);
        QCOMPARE(StatusOf(w)->PanelText(0), c.framePanel);
    }
}

void TmainTest::PlacedPieceDrawsItsTiles() {
    WindowFixture f;
    Tmain w(f.Make());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const TileStore tiles;
    const auto drawn = [&](int n, int code) {
        const QImage expected = tiles.TileByCode(code, 24).toImage().convertToFormat(QImage::Format_RGB32);
        return !ImageOf(w, n)->isHidden() && ButtonOf(w, n)->isHidden() &&
               ImageOf(w, n)->grab().toImage().convertToFormat(QImage::Format_RGB32) == expected;
    };
    // The I along the top is drawn from its outline tiles.
    for (const int n : {0, 1, 2, 3, 4}) ButtonOf(w, n)->click();
    QVERIFY(drawn(0, 100) && drawn(2, 101) && drawn(4, 1));
    // A click on the placed piece takes it back: its buttons return.
    QTest::mouseClick(ImageOf(w, 0), Qt::LeftButton);
    for (const int n : {0, 1, 2, 3, 4}) QVERIFY(!ButtonOf(w, n)->isHidden() && ImageOf(w, n)->isHidden());
    // A selected cell is red.
    ButtonOf(w, 10)->click();
    QVERIFY(drawn(10, 0));
}

// Cells clicked from the keyboard, then Tab or Shift+Tab pressed on the cell
// just clicked: the focus walks the empty cells, the one the most candidate
// placements cover first, then cell order. The cells the game selected by
// itself are shown to a screen reader as selected.
void TmainTest::EachClickRebuildsTheTabOrder() {
    struct Case {
        const char* name;
        std::vector<int> clicks;
        Qt::Key key;
        std::vector<int> walk;      // the cells each press reaches
        std::vector<int> selected;  // the cells then selected
    } const cases[] = {
        {"a first click in the corner", {0}, Qt::Key_Tab, {1, 2, 3, 4, 10}, {0}},
        {"back from the clicked cell", {0}, Qt::Key_Backtab, {40, 31, 30}, {0}},
        // 10 and 20 forced; round from the last empty cell to the first.
        {"forced cells", {0, 30}, Qt::Key_Tab, {1, 11, 21, 31, 40, 1}, {0, 10, 20, 30}},
        // The selected cells are covered most, but the focus cannot rest there.
        {"the best is no selected cell", {24, 15}, Qt::Key_Tab, {25, 3, 4}, {15, 24}},
        {"a piece placed: cell order", {0, 1, 2, 3, 4}, Qt::Key_Tab, {5, 6, 7}, {}},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        Tmain w(f.Make());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        for (const int n : c.clicks) {
            ButtonOf(w, n)->setFocus();
            QTest::keyClick(ButtonOf(w, n), Qt::Key_Space);
        }
        std::vector<int> selected;
        for (int n = 0; n < 60; ++n) {
            if (QAccessible::queryAccessibleInterface(ImageOf(w, n))->state().selected && !ImageOf(w, n)->isHidden()) {
                selected.push_back(n);
            }
        }
        QVERIFY2(selected == c.selected, c.name);
        // Where the window's own chain begins: at the walk's first cell.
        QWidget* first = w.nextInFocusChain();
        while (first != &w && (first->focusPolicy() == Qt::NoFocus || first->isHidden())) {
            first = first->nextInFocusChain();
        }
        if (c.key == Qt::Key_Tab) QVERIFY2(first == ButtonOf(w, c.walk.front()), c.name);
        std::vector<int> walk;
        for (std::size_t i = 0; i < c.walk.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), c.key, c.key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            for (int n = 0; n < 60; ++n) {
                if (QApplication::focusWidget() == ButtonOf(w, n)) walk.push_back(n);
            }
        }
        QVERIFY2(walk == c.walk, c.name);
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
    QVERIFY(!ButtonOf(w, 0)->isHidden());
}

// The strip comes back on from the settings, counts off the window's thread,
// warns at a dead end, and leaves the window as it was when switched off.
void TmainTest::PieceSupportStripFollowsTheBoard() {
    WindowFixture f;
    testing::WriteAll(f.dir.File(kSettingsFile), "[Environment]\r\niniPieceSupportOn=1\r\n");
    Tmain w(f.Make());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* strip = w.findChild<PieceStrip*>("PieceStrip");
    QVERIFY(!strip->isHidden());
    QCOMPARE(strip->width(), BoardAreaOf(w)->width());
    QCOMPARE(w.height(), w.menuBar()->height() + BoardAreaOf(w)->height() + strip->height() + w.statusBar()->height());
    QTRY_COMPARE_WITH_TIMEOUT(strip->Line(), (SupportLine{SupportLine::Kind::Left, 2339}), 20000);
    // A screen reader finds the line as text in the strip, and the item as on.
    const auto lineHeard = [strip] {
        QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(strip);
        for (int i = 0; i < shown->childCount(); ++i) {
            if (shown->child(i)->role() == QAccessible::Notification) return shown->child(i)->text(QAccessible::Name);
        }
        return QString();
    };
    QCOMPARE(lineHeard(), QString::fromUtf8("完成まで あと 2339 通り"));
    QAccessibleInterface* item = QAccessible::queryAccessibleInterface(ItemOf(w, "menuVP"));
    QVERIFY(item->state().checkable && item->state().checked);

    // An I down column 1 cuts off the corner cell: selecting it leaves no way.
    const std::vector<int> deadEnd = {1, 11, 21, 31, 41, 0};
    for (const int n : deadEnd) ButtonOf(w, n)->click();
    QTRY_COMPARE_WITH_TIMEOUT(strip->Line(), (SupportLine{SupportLine::Kind::CannotFinish}), 20000);
    QCOMPARE(strip->findChild<QLabel*>("PieceSupportLine")->text(), QString::fromUtf8("完成できません"));
    QVERIFY(strip->accessibleDescription().contains(QString::fromUtf8("I 盤上")));
    QVERIFY(strip->accessibleDescription().contains(QString::fromUtf8("F 置けない")));
    const QImage drawn = strip->grab().toImage().convertToFormat(QImage::Format_RGB32);
    bool warned = false;
    for (int y = 0; y < drawn.height() && !warned; ++y) {
        for (int x = 0; x < drawn.width() && !warned; ++x) warned = drawn.pixel(x, y) == qRgb(208, 0, 0);
    }
    QVERIFY(warned);

    // Off: the window is pixel for pixel one that never had the strip.
    QTest::keySequence(&w, QKeySequence("Ctrl+P"));
    QVERIFY(strip->isHidden());
    QVERIFY(!item->state().checked);
    WindowFixture plainFixture;
    Tmain plain(plainFixture.Make());
    plain.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plain));
    for (const int n : deadEnd) ButtonOf(plain, n)->click();
    QCoreApplication::processEvents();
    QCOMPARE(w.size(), plain.size());
    QCOMPARE(w.grab().toImage(), plain.grab().toImage());
    w.close();
    QVERIFY(ReadAll(f.dir.File(kSettingsFile)).find("iniPieceSupportOn=0") != std::string::npos);
}

// Ctrl+C pressed again while a check is counting, or while its answer is
// open, adds no second box; once the answer is closed, a check runs again.
void TmainTest::OneCongruenceCheckAtATime() {
    WindowFixture f;
    Tmain w(f.Make());
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const auto settle = [] {
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
    };
    int pressedWhileOpen = 0;
    f.dialogs.whileShown = [&](const QString&) {
        if (pressedWhileOpen > 0) return;
        for (int i = 0; i < 3; ++i, ++pressedWhileOpen) QTest::keySequence(&w, QKeySequence("Ctrl+C"));
        settle();
    };
    for (int i = 0; i < 3; ++i) QTest::keySequence(&w, QKeySequence("Ctrl+C"));
    QTRY_VERIFY_WITH_TIMEOUT(!f.dialogs.messages.isEmpty(), 20000);
    settle();
    QCOMPARE(pressedWhileOpen, 3);
    QCOMPARE(f.dialogs.messages.size(), 1);
    f.dialogs.whileShown = nullptr;
    QTest::keySequence(&w, QKeySequence("Ctrl+C"));
    QTRY_COMPARE_WITH_TIMEOUT(f.dialogs.messages.size(), 2, 20000);
}

// Three presses of Ctrl+H give the three levels, ringed over the cells at
// every size and named in the strip; the cells keep their pictures, and a
// click takes the marks away (the level starting again is the session's).
void TmainTest::HintsMarkCellsUntilTheBoardChanges() {
    WindowFixture f;
    testing::WriteAll(f.dir.File(kSettingsFile), "[Environment]\r\niniPieceSupportOn=1\r\n");
    Tmain w(f.Make());
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto* strip = w.findChild<PieceStrip*>("PieceStrip");
    auto* marks = w.findChild<HintMarks*>("HintMarks");
    auto* line = strip->findChild<QLabel*>("PieceSupportLine");
    const QPixmap emptyCell = ImageOf(w, 0)->Picture();
    const auto marked = [&w] {
        std::vector<int> cells;
        for (int n = 0; n < 60; ++n) {
            if (ButtonOf(w, n)->accessibleDescription() == QString::fromUtf8("ヒント")) cells.push_back(n);
        }
        return cells;
    };
    const auto ringsOn = [&](const std::vector<int>& cells) {
        if (marks->isHidden() || marks->Marked().size() != cells.size()) return false;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (marks->Marked()[i] != ButtonOf(w, cells[i])->geometry()) return false;
        }
        return true;
    };
    struct Level {
        const char* words;
        std::size_t cells;
        bool piece;
    } const levels[] = {{"ここに入る置き方は", 1, false}, {"ここに最も多く入るのは", 1, true}, {"を印の 5 マスに置くと", 5, true}};
    for (const Level& level : levels) {
        QTest::keySequence(&w, QKeySequence("Ctrl+H"));
        QTRY_VERIFY_WITH_TIMEOUT(line->accessibleName().contains(QString::fromUtf8(level.words)), 60000);
        QCOMPARE(marked().size(), level.cells);
        QVERIFY(ringsOn(marked()));
        QCOMPARE(strip->HintPiece() >= 0, level.piece);
    }
    const std::vector<int> placement = marked();
    // Drawn over the cell, which keeps its picture; at another size too.
    const QImage board = BoardAreaOf(w)->grab().toImage();
    for (const QRect& cell : marks->Marked())
        QCOMPARE(board.pixelColor(cell.topLeft() + QPoint(3, 3)), QColor(255, 128, 0));
    QCOMPARE(ImageOf(w, placement[0])->Picture().toImage(), emptyCell.toImage());
    QTest::keySequence(&w, QKeySequence("Ctrl+Alt+L"));
    QCOMPARE(ButtonOf(w, 0)->width(), 32);
    QVERIFY(ringsOn(placement));
    QVERIFY(f.sound.played.empty());
    QVERIFY(!ItemOf(w, "N6")->isEnabled());

    ButtonOf(w, placement[0])->click();
    QVERIFY(marks->isHidden());
    QVERIFY(marked().empty());
    QCOMPARE(strip->HintPiece(), -1);
    QVERIFY(!line->accessibleName().contains(QString::fromUtf8("を印の")));
    QVERIFY(f.dialogs.messages.isEmpty());  // the strip is on: no box
}

// A whole game from the arrow keys, Space and Enter, with a deselect and a
// take-back; what a screen reader hears of a cell; the focus frame only while
// the keyboard is in use.
void TmainTest::KeyboardPlaysAWholeGame() {
    WindowFixture f;
    Tmain w(f.Make());
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const QWidget* frame = w.findChild<QWidget*>("FocusFrame");
    const auto focused = [&] {
        for (int n = 0; n < 60; ++n) {
            if (QApplication::focusWidget() == ButtonOf(w, n) || QApplication::focusWidget() == ImageOf(w, n)) return n;
        }
        return -1;
    };
    const auto key = [&](Qt::Key k) {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target != nullptr ? target : &w, k);
    };
    const auto moveTo = [&](int n) {
        for (int presses = 0; presses < 30 && focused() != n; ++presses) {
            const int at = focused();
            if (at < 0) {
                key(Qt::Key_Home);
            } else if (at / 10 != n / 10) {
                key(at / 10 < n / 10 ? Qt::Key_Down : Qt::Key_Up);
            } else {
                key(at < n ? Qt::Key_Right : Qt::Key_Left);
            }
        }
        return focused() == n;
    };
    // What the accessibility interface, and so a screen reader, tells of a widget.
    const auto spoken = [](const QWidget* widget) {
        return QAccessible::queryAccessibleInterface(const_cast<QWidget*>(widget))->text(QAccessible::Name);
    };
    const auto name = [&](int n) {
        return spoken(ButtonOf(w, n)->isHidden() ? static_cast<QWidget*>(ImageOf(w, n)) : ButtonOf(w, n));
    };
    const auto framed = [&](int n) {
        return frame->isVisible() && frame->geometry() == ButtonOf(w, n)->geometry() && focused() == n;
    };
    // The frame as drawn over cell n in the window: black outside, white inside.
    const auto frameDrawnOn = [&](int n) {
        const QWidget* cell = QApplication::focusWidget();
        const QImage shot = w.grab(QRect(cell->mapTo(&w, QPoint(0, 0)), cell->size())).toImage();
        const int e = cell->width() - 1;
        return focused() == n && shot.pixel(0, 0) == qRgb(0, 0, 0) && shot.pixel(e, e / 2) == qRgb(0, 0, 0) &&
               shot.pixel(1, 1) == qRgb(255, 255, 255) && shot.pixel(e / 2, e - 1) == qRgb(255, 255, 255);
    };

    // The frame comes with a key and goes with a mouse click.
    QTest::mouseClick(ButtonOf(w, 5), Qt::LeftButton);
    QVERIFY(!frame->isVisible());
    QVERIFY(moveTo(0));
    QVERIFY(framed(0));
    key(Qt::Key_End);
    QCOMPARE(focused(), 9);
    key(Qt::Key_Home);
    QCOMPARE(focused(), 0);
    QCOMPARE(name(0), QString::fromUtf8("1行 1列 使えない"));
    // A screen reader sees each cell once, as it is shown, in reading order.
    QAccessibleInterface* area = QAccessible::queryAccessibleInterface(BoardAreaOf(w));
    QCOMPARE(area->childCount(), 60);
    for (const int n : {0, 2, 5, 59}) {
        QAccessibleInterface* cell = area->child(n);
        QCOMPARE(cell->text(QAccessible::Name), name(n));
        QCOMPARE(area->indexOfChild(cell), n);
        QVERIFY(!cell->state().invisible);
    }
    QCOMPARE(name(2), QString::fromUtf8("1行 3列 空き"));
    QCOMPARE(name(5), QString::fromUtf8("1行 6列 選択中"));
    QCOMPARE(name(59), QString::fromUtf8("6行 10列 使えない"));
    QVERIFY(QAccessible::queryAccessibleInterface(ImageOf(w, 59))->state().disabled);
    QVERIFY(!QAccessible::queryAccessibleInterface(ImageOf(w, 5))->state().disabled);
    for (const char* size : {"menuVS", "menuVF", "menuVD"}) {
        ItemOf(w, size)->trigger();
        QCoreApplication::processEvents();  // the window takes its new size
        for (const int n : {2, 5, 59}) QVERIFY2(moveTo(n) && frameDrawnOn(n), size);
    }
    // Space on a blocked cell does nothing; on the selected one it deselects.
    QVERIFY(moveTo(59));
    QVERIFY(framed(59));
    key(Qt::Key_Space);
    QCOMPARE(name(59), QString::fromUtf8("6行 10列 使えない"));
    QCOMPARE(spoken(StatusOf(w)->Panel(0)), QString::fromUtf8("フレーム 6 * 10"));
    QCOMPARE(spoken(StatusOf(w)->Panel(10)), QString::fromUtf8("ピース X 置ける"));
    // One key, one focus change, to the cell as it is now.
    QStringList heard;
    const auto listening = connect(qApp, &QApplication::focusChanged, this, [&](QWidget*, QWidget* now) {
        if (now != nullptr) heard << spoken(now);
    });
    QVERIFY(moveTo(5));
    heard.clear();
    key(Qt::Key_Return);
    QCOMPARE(heard, QStringList{QString::fromUtf8("1行 6列 空き")});
    QCOMPARE(name(59), QString::fromUtf8("6行 10列 空き"));
    QVERIFY(framed(5));
    heard.clear();
    key(Qt::Key_Space);
    QCOMPARE(heard, QStringList{QString::fromUtf8("1行 6列 選択中")});
    key(Qt::Key_Space);
    disconnect(listening);
    QTest::mouseClick(w.findChild<QWidget*>("Image1"), Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(!frame->isVisible());
    // A menu shortcut is no move on the board: the frame stays away.
    QVERIFY(focused() >= 0);
    for (int i = 0; i < 2; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::ControlModifier);
    QVERIFY(!frame->isVisible());

    const FilledFrame solution = DistinctSolutions(6).front();
    bool tookBack = false;
    for (const char letter : std::string("FILNPTUVWXYZ")) {
        for (int n = 0; n < 60; ++n) {
            if (solution[static_cast<std::size_t>(n)] != letter || ButtonOf(w, n)->isHidden()) continue;
            QVERIFY(moveTo(n));
            key(n % 2 == 0 ? Qt::Key_Space : Qt::Key_Enter);
        }
        const int first = static_cast<int>(std::find(solution.begin(), solution.end(), letter) - solution.begin());
        // (The finished board is turned to its normal position.)
        QVERIFY(letter == 'Z' || name(first).endsWith(QString::fromUtf8("ピース ") + letter));
        if (!tookBack) {
            // Enter on a piece takes it back; it goes down again.
            tookBack = true;
            QVERIFY(moveTo(first) && frameDrawnOn(first));
            key(Qt::Key_Enter);
            QVERIFY(name(first).endsWith(QString::fromUtf8("空き")));
            for (int n = 0; n < 60; ++n) {
                if (solution[static_cast<std::size_t>(n)] != letter || ButtonOf(w, n)->isHidden()) continue;
                QVERIFY(moveTo(n));
                key(Qt::Key_Space);
            }
        }
    }
    QCOMPARE(f.dialogs.messages, QStringList{"Congratulations!"});
    const std::string lines = ReadAll(f.dir.File(kSolutionFile));
    QCOMPARE(std::count(lines.begin(), lines.end(), '\n'), 1);
}

namespace {

QString Utf8(const char* text) { return QString::fromUtf8(text); }

// Clicks a whole board in, piece by piece, as the mouse would.
void ClickBoard(QWidget& w, const FilledFrame& solution) {
    for (const char letter : std::string("FILNPTUVWXYZ")) {
        for (int n = 0; n < 60; ++n) {
            if (solution[static_cast<std::size_t>(n)] == letter && !ButtonOf(w, n)->isHidden()) ButtonOf(w, n)->click();
        }
    }
}

}  // namespace

// The collection opens on the frame in play, is reused, shows the register's
// solutions and follows it while open; its small boards and header are named
// for screen readers, a chosen one is shown large, and a read overtaken by a
// newer one is never shown.
void TmainTest::CollectionFollowsTheRegister() {
    WindowFixture f;
    GameRecord record;
    record.cells = DistinctSolutions(6)[1];
    record.marker = kSolutionMarker;
    testing::WriteAll(f.dir.File(kSolutionFile), FormatGameRecord(record, f.clock) + "garbage\r\n");
    Tmain w(f.Make());
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));

    ItemOf(w, "menuVF5")->trigger();
    QTest::keySequence(&w, QKeySequence("Ctrl+L"));
    auto* c = w.findChild<CollectionWindow*>("CollectionWindow");
    QVERIFY(c != nullptr && c->isVisible() && c->isWindow());
    QCOMPARE(c->parentWidget(), &w);
    QVERIFY(QTest::qWaitForWindowActive(c));
    QCOMPARE(c->windowTitle(), QString(" C o l l e c t i o n"));
    QCOMPARE(c->Status()->text(), Utf8("読み込んでいます…"));
    const auto* tabs = c->findChild<QTabWidget*>();
    QCOMPARE(tabs->currentWidget(), c->Page(5));
    QTRY_COMPARE_WITH_TIMEOUT(c->Page(5)->Header()->text(), Utf8("見つけた解 0 / 1010"), 20000);
    QTest::keyClick(c, Qt::Key_Escape);
    QVERIFY(!c->isVisible());

    // Opened again on another frame: the same window, twice at once, shown once.
    ItemOf(w, "menuVF6")->trigger();
    int shown = 0;
    connect(c, &CollectionWindow::collectionShown, this, [&shown] { ++shown; });
    ItemOf(w, "menuVC")->trigger();
    ItemOf(w, "menuVC")->trigger();
    QCOMPARE(w.findChildren<CollectionWindow*>().size(), 1);
    QCOMPARE(tabs->currentWidget(), c->Page(6));
    QTRY_VERIFY_WITH_TIMEOUT(shown == 1 && c->Status()->isHidden(), 20000);
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    QCOMPARE(shown, 1);
    CollectionPageView* page = c->Page(6);
    QCOMPARE(page->Header()->text(), Utf8("見つけた解 1 / 2339"));
    QCOMPARE(QAccessible::queryAccessibleInterface(page->Header())->text(QAccessible::Name),
             Utf8("見つけた解 1 / 2339"));
    QVERIFY(c->findChild<QLabel*>("CollectionCounts")->text().endsWith(Utf8("読めない行 1")));
    QAbstractItemModel* model = page->Grid()->model();
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->index(0, 0).data(Qt::AccessibleTextRole).toString(),
             Utf8("No. 2　初めて見つけた日 2026/12/07　見つけた回数 1"));

    // Chosen from the keyboard, the solution is shown large.
    page->Grid()->setFocus();
    QTest::keyClick(page->Grid(), Qt::Key_Home);
    const auto* large = page->findChild<LargeBoard*>("CollectionLarge");
    QVERIFY(large->HasBoard());
    c->resize(900, 700);  // with room, at the game's medium size
    QTRY_COMPARE(large->Cell(), 24);
    QVERIFY(page->findChild<QLabel*>("CollectionDetails")->text().startsWith(Utf8("No. 2\n")));

    // A board finished while the window is open appears in it, the chosen
    // one still chosen; sorted by first find, the new one comes last.
    ClickBoard(w, DistinctSolutions(6).front());
    QCOMPARE(f.dialogs.messages, QStringList{"Congratulations!"});
    QTRY_COMPARE_WITH_TIMEOUT(page->Header()->text(), Utf8("見つけた解 2 / 2339"), 20000);
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->index(0, 0).data().toString(), Utf8("No. 1\n2026/12/07"));
    QCOMPARE(page->Grid()->currentIndex().row(), 1);
    page->findChild<QComboBox*>("CollectionOrder")->setCurrentIndex(1);
    QCOMPARE(model->index(1, 0).data().toString(), Utf8("No. 1\n2026/12/07"));
    QCOMPARE(page->Grid()->currentIndex().row(), 0);
    QVERIFY(page->findChild<QLabel*>("CollectionDetails")->text().startsWith(Utf8("No. 2\n")));

    QTest::keyClick(page->Grid(), Qt::Key_F1);
    QCOMPARE(f.help.calls, QStringList{"context 35400"});
}

void TmainTest::CollectionTellsAnUnreadableRegister() {
    WindowFixture f;
    QVERIFY(QDir().mkdir(QString::fromStdString(f.dir.File(kSolutionFile))));
    Tmain w(f.Make());
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    ItemOf(w, "menuVC")->trigger();
    auto* c = w.findChild<CollectionWindow*>("CollectionWindow");
    QTRY_VERIFY_WITH_TIMEOUT(c->Status()->text().startsWith(Utf8("解の記録を読めませんでした。")), 20000);
    QVERIFY(c->Status()->text().contains(kSolutionFile));
    QVERIFY(c->Page(6)->Header()->text().isEmpty());
    QVERIFY(!c->Page(6)->findChild<QProgressBar*>()->isVisible());  // no count, no bar
    QCOMPARE(c->Page(6)->Grid()->model()->rowCount(), 0);
}

// The collection page's 挑戦(&T) through the real windows: Alt+T, then Return
// in the level dialog, puts a ふつう challenge on the game as one undo step,
// whose undo takes the challenge's line away too; a frame the collection shows
// found whole says so at once, asking no level.
void TmainTest::ChallengeFromTheCollection() {
    struct Case {
        int page;
        const char* told;  // "" for a challenge taken
    } const cases[] = {{6, ""}, {3, "3 * 20 の枠の解は、2 通りすべて見つけています。"}};
    for (const Case& c : cases) {
        WindowFixture f;
        std::string lines;
        for (const FilledFrame& board : DistinctSolutions(3)) {
            GameRecord record{3, "--", '-', '-', board, kSolutionMarker};
            lines += FormatGameRecord(record, f.clock);
        }
        testing::WriteAll(f.dir.File(kSolutionFile), lines);
        f.dialogs.player = [](QDialog& dialog) {
            dialog.show();
            QTest::keyClick(&dialog, Qt::Key_Return);
            return dialog.result() == QDialog::Accepted;
        };
        Tmain w(f.Make());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        ButtonOf(w, 0)->click();  // a game under way
        const auto panels = [&w] {
            QStringList texts;
            for (int panel = 0; panel <= 12; ++panel) texts << StatusOf(w)->PanelText(panel);
            return texts;
        };
        const QStringList before = panels();

        QTest::keySequence(&w, QKeySequence("Ctrl+L"));
        auto* collection = w.findChild<CollectionWindow*>("CollectionWindow");
        collection->findChild<QTabWidget*>()->setCurrentWidget(collection->Page(c.page));
        QTRY_VERIFY_WITH_TIMEOUT(!collection->Page(c.page)->Header()->text().isEmpty(), 20000);
        QApplication::setActiveWindow(collection);  // Alt+T goes to the window in front
        QTest::keyClick(collection, Qt::Key_T, Qt::AltModifier);
        auto* button = collection->Page(c.page)->findChild<QPushButton*>("ChallengeButton");
        const auto* lineLabel = collection->Page(c.page)->findChild<QLabel*>("ChallengeLine");
        if (*c.told != '\0') {
            QTRY_VERIFY(!f.dialogs.messages.isEmpty());  // a mnemonic clicks after a flash
            QCOMPARE(f.dialogs.messages.value(0).left(Utf8(c.told).size()), Utf8(c.told));
            QVERIFY(f.dialogs.modals.isEmpty());
            QCOMPARE(panels(), before);
            QVERIFY(lineLabel->text().isEmpty());
            continue;
        }
        QTRY_COMPARE(f.dialogs.modals, QStringList{"ChallengeDialog"});
        QTRY_VERIFY_WITH_TIMEOUT(button->isEnabled(), 60000);
        const QString line = lineLabel->text();
        // Six pieces left: the other six stand on the board, their panels blank.
        QCOMPARE(panels().mid(1).count(" "), 6);
        QVERIFY2(line.startsWith(Utf8("残り 6 個のピースを置く挑戦です。完成形は 1 通りで、そのうち 1 通り")),
                 qPrintable(line));
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keySequence(&w, QKeySequence("Ctrl+Z"));
        QCOMPARE(panels(), before);
        QVERIFY2(lineLabel->text().isEmpty(), qPrintable(lineLabel->text()));
    }
}

// The collection opens beside the game, on the screen; where the player left
// it, at its size and in its order, it comes back at the next start, kept
// in the settings as the game closes with it open. Where the compositor
// places windows only its size is kept.
void TmainTest::CollectionComesBackWhereItWasLeft() {
    const auto openCollection = [](Tmain& w) -> CollectionWindow* {
        w.show();
        if (!QTest::qWaitForWindowExposed(&w)) return nullptr;
        QTest::keySequence(&w, QKeySequence("Ctrl+L"));
        auto* c = w.findChild<CollectionWindow*>("CollectionWindow");
        return c != nullptr && QTest::qWaitForWindowExposed(c) ? c : nullptr;
    };
    for (const bool placesWindows : {true, false}) {
        WindowSystem system = RunningWindowSystem();
        if (!placesWindows) system.platform = QStringLiteral("wayland");
        WindowFixture f;
        QRect left;
        QSize size;
        {
            Services services = f.Make();
            services.windowSystem = &system;
            Tmain w(services);
            CollectionWindow* c = openCollection(w);
            QVERIFY(c != nullptr);
            const QRect screen = w.screen()->availableGeometry();
            QVERIFY2(screen.contains(c->frameGeometry()), qPrintable(QString("%1,%2 %3x%4").arg(c->x()).arg(c->y())
                                                                        .arg(c->width()).arg(c->height())));
            if (placesWindows) QVERIFY(!c->frameGeometry().intersects(w.frameGeometry()));
            c->Page(6)->findChild<QComboBox*>("CollectionOrder")->setCurrentIndex(1);
            // Left of the game, clear of it.
            c->move(screen.x(), screen.y() + 20);
            c->resize(250, 420);  // as narrow as it goes
            if (placesWindows) QVERIFY(!c->frameGeometry().intersects(w.frameGeometry()));
            size = c->size();
            left = c->frameGeometry();
            w.close();  // the collection still open
        }
        const std::string ini = ReadAll(f.dir.File(kSettingsFile));
        QCOMPARE(ini.find("iniCollectionLeft=") != std::string::npos, placesWindows);
        QVERIFY(ini.find("iniCollectionWidth=" + std::to_string(size.width()) + "\r\n") != std::string::npos);
        QVERIFY2(ini.find("iniCollectionOrder=1000\r\n") != std::string::npos, ini.c_str());

        Services services = f.Make();
        services.windowSystem = &system;
        Tmain again(services);
        CollectionWindow* c = openCollection(again);
        QVERIFY(c != nullptr);
        QCOMPARE(c->size(), size);
        if (placesWindows) QCOMPARE(c->frameGeometry().topLeft(), left.topLeft());
        QTRY_VERIFY_WITH_TIMEOUT(!c->Page(6)->Header()->text().isEmpty(), 20000);
        QCOMPARE(c->Page(6)->findChild<QComboBox*>("CollectionOrder")->currentIndex(), 1);
    }
}

}  // namespace tilvaren

QTEST_MAIN(tilvaren::TmainTest)
#include "TmainTest.moc"
