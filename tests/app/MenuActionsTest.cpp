#include <QFileInfo>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <set>

#include "app/WindowTestSupport.hpp"
#include "records/FileNames.hpp"

namespace tilvaren {

using testing::WindowFixture;

namespace {

// What the player can tell apart after a command.
struct Seen {
    bool open = false, menuBar = false, statusBar = false, strip = false, savedGame = false, collection = false;
    int cellSize = 0, rows = 0, marks = 0;
    QString hintLine;  // the hint's own line under the board, while shown
    QString cells;  // per cell: '.' a button, 'o' a selected or placed cell, '#' a blocked one
    QStringList modals, help, messages;
    QStringList checked;  // the menu items that show a check mark
};

// The on/off items that should show a check mark for what is seen.
QStringList OnItems(const Seen& v) {
    QStringList on;
    if (v.statusBar) on << "menuVB";
    if (v.menuBar) on << "menuVN";
    if (v.strip) on << "menuVP";
    return on;
}

QPushButton* Button(QWidget& w, int n) {
    return w.findChild<QPushButton*>(QString("Button%1").arg(n, 2, 10, QChar('0')));
}

Seen Look(QMainWindow& w, const WindowFixture& f) {
    Seen v;
    v.open = w.isVisible();
    v.menuBar = !w.menuBar()->isHidden();
    v.statusBar = !w.statusBar()->isHidden();
    v.strip = !w.findChild<QWidget*>("PieceStrip")->isHidden();
    if (const auto* hint = w.findChild<QLabel*>("HintLine"); !hint->isHidden()) v.hintLine = hint->text();
    const auto* collection = w.findChild<QWidget*>("CollectionWindow");
    v.collection = collection != nullptr && collection->isVisible();
    v.savedGame = QFileInfo::exists(QString::fromStdString(f.dir.File(kSavedGameFile)));
    v.cellSize = Button(w, 0)->width();
    std::set<int> rowTops;
    for (int n = 0; n < 60; ++n) {
        const auto* image = w.findChild<CellImage*>(QString("Image%1").arg(n, 2, 10, QChar('0')));
        v.cells += !Button(w, n)->isHidden() ? '.' : image->IsClickable() ? 'o' : '#';
        rowTops.insert(Button(w, n)->y());
    }
    v.rows = static_cast<int>(rowTops.size());
    const auto* hintMarks = w.findChild<HintMarks*>("HintMarks");
    v.marks = hintMarks->isHidden() ? 0 : static_cast<int>(hintMarks->Marked().size());
    v.modals = f.dialogs.modals;
    v.help = f.help.calls;
    v.messages = f.dialogs.messages;
    for (const QAction* action : w.findChildren<QAction*>()) {
        if (action->isChecked()) v.checked << action->objectName();
    }
    v.checked.sort();
    return v;
}

void Trigger(QWidget& w, const char* item) { w.findChild<QAction*>(item)->trigger(); }

std::function<void(QMainWindow&)> Clicking(std::vector<int> cells) {
    return [cells](QMainWindow& w) {
        for (const int n : cells) Button(w, n)->click();
    };
}

std::function<void(QMainWindow&)> Triggering(const char* item) {
    return [item](QMainWindow& w) { Trigger(w, item); };
}

// The 6 x 10 cell picture turned by half, mirrored left to right, or flipped upside down.
QString Turned(QString c) {
    std::reverse(c.begin(), c.end());
    return c;
}
QString Mirrored(const QString& c) {
    QString out;
    for (int row = 0; row < 6; ++row) out += Turned(c.mid(row * 10, 10));
    return out;
}
QString Flipped(const QString& c) { return Mirrored(Turned(c)); }

}  // namespace

class MenuActionsTest : public QObject {
    Q_OBJECT
private slots:
    void EveryItemAndShortcutRunsItsOwnCommand();
};

void MenuActionsTest::EveryItemAndShortcutRunsItsOwnCommand() {
    struct Row {
        const char* item;  // empty: a shortcut without an item
        const char* keys;  // empty: an item without a shortcut
        std::function<void(QMainWindow&)> prepare;
        std::function<bool(const Seen& before, const Seen& after)> effect;
    };
    const auto none = [](QMainWindow&) {};
    const Row rows[] = {
        {"menuFX", "Ctrl+X", none, [](const Seen& b, const Seen& a) { return b.open && !a.open && a.savedGame; }},
        {"N6", "Ctrl+Z", Clicking({0, 1}),
         [](const Seen& b, const Seen& a) { return b.cells[1] == 'o' && a.cells[0] == 'o' && a.cells[1] == '.'; }},
        {"N8", "Ctrl+Y",
         [](QMainWindow& w) {
             Clicking({0})(w);
             Trigger(w, "N6");
         },
         [](const Seen& b, const Seen& a) { return b.cells[0] == '.' && a.cells[0] == 'o'; }},
        {"N7", "Ctrl+Alt+Z", Clicking({0, 1, 2, 3, 4, 10}),
         [](const Seen& b, const Seen& a) { return b.cells[0] == 'o' && a.cells == QString(60, '.'); }},
        {"N10", "Ctrl+Alt+Y",
         [](QMainWindow& w) {
             Clicking({0, 1, 2, 3, 4, 10})(w);
             Trigger(w, "N7");
         },
         [](const Seen& b, const Seen& a) {
             return b.cells[0] == '.' && a.cells.left(5) == "ooooo" && a.cells[10] != 'o';
         }},
        {"menuET", "Ctrl+T", Clicking({0}), [](const Seen& b, const Seen& a) { return a.cells == Turned(b.cells); }},
        {"menuEM", "Ctrl+M", Clicking({0}), [](const Seen& b, const Seen& a) { return a.cells == Mirrored(b.cells); }},
        // A U in the lower left corner is flipped into the upper left, which neither turn nor mirror does.
        {"menuEU", "Ctrl+U", Clicking({40, 42, 50, 51, 52}),
         [](const Seen& b, const Seen& a) { return b.cells[40] == 'o' && a.cells == Flipped(b.cells); }},
        // The congruence check is worked out away from the window and told when done.
        {"menuEC", "Ctrl+C", none,
         [](const Seen&, const Seen& a) {
             return a.messages.size() == 1 && a.messages[0].contains(QString::fromUtf8("あと 2339 通り"));
         }},
        // A hint with the strip off: no box, its words in their own line, one cell ringed, the board as it was.
        {"menuEH", "Ctrl+H", none,
         [](const Seen& b, const Seen& a) {
             return a.messages.isEmpty() && a.modals.isEmpty() && b.hintLine.isEmpty() &&
                    a.hintLine.startsWith(QString::fromUtf8("ここに入る置き方は")) && a.marks == 1 && b.marks == 0 &&
                    a.cells == b.cells;
         }},
        {"menuER", "Ctrl+R", Clicking({0, 1}),
         [](const Seen& b, const Seen& a) { return b.cells != a.cells && a.cells == QString(60, '.'); }},
        {"menuVN", "Ctrl+N", none,
         [](const Seen& b, const Seen& a) { return a.menuBar != b.menuBar && a.statusBar == b.statusBar; }},
        {"menuVB", "Ctrl+B", none,
         [](const Seen& b, const Seen& a) { return a.statusBar != b.statusBar && a.menuBar == b.menuBar; }},
        {"menuVC", "Ctrl+L", none, [](const Seen& b, const Seen& a) { return !b.collection && a.collection; }},
        {"menuVP", "Ctrl+P", none,
         [](const Seen& b, const Seen& a) {
             return !b.strip && a.strip && a.menuBar == b.menuBar && a.statusBar == b.statusBar;
         }},
        {"menuVF", "Ctrl+Alt+L", none, [](const Seen&, const Seen& a) { return a.cellSize == 32; }},
        {"menuVD", "Ctrl+Alt+M", Triggering("menuVS"), [](const Seen&, const Seen& a) { return a.cellSize == 24; }},
        {"menuVS", "Ctrl+Alt+S", none, [](const Seen&, const Seen& a) { return a.cellSize == 18; }},
        {"menuVF6", "Ctrl+F6", Triggering("menuVF5"), [](const Seen&, const Seen& a) { return a.rows == 6; }},
        {"menuVF5", "Ctrl+F5", none, [](const Seen&, const Seen& a) { return a.rows == 5; }},
        {"menuVF4", "Ctrl+F4", none, [](const Seen&, const Seen& a) { return a.rows == 4; }},
        {"menuVF3", "Ctrl+F3", none, [](const Seen&, const Seen& a) { return a.rows == 3; }},
        {"menuVO", "Ctrl+O", none, [](const Seen&, const Seen& a) { return a.modals == QStringList{"Toptions"}; }},
        {"menuHC", "", none, [](const Seen&, const Seen& a) { return a.help == QStringList{"contents"}; }},
        {"menuHK", "", none, [](const Seen&, const Seen& a) { return a.help == QStringList{"keywords"}; }},
        {"menuHV", "Ctrl+V", none, [](const Seen&, const Seen& a) { return a.modals == QStringList{"Tversion"}; }},
        // F1 on the first cell opens the topic on playing.
        {"", "F1", [](QMainWindow& w) { Button(w, 0)->setFocus(); },
         [](const Seen&, const Seen& a) { return a.help == QStringList{"context 35000"}; }},
    };
    // Every item needs a row above.

    enum class Via { Item, Keys, KeysWithoutMenuBar };
    std::set<QString> covered;
    for (const Row& row : rows) {
        if (*row.item) covered.insert(row.item);
        for (const Via via : {Via::Item, Via::Keys, Via::KeysWithoutMenuBar}) {
            if ((via == Via::Item && !*row.item) || (via != Via::Item && !*row.keys)) continue;
            WindowFixture f;
            Tmain w(f.Make());
            w.show();
            w.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            if (via == Via::KeysWithoutMenuBar) Trigger(w, "menuVN");
            row.prepare(w);
            const Seen before = Look(w, f);
            if (via == Via::Item) {
                Trigger(w, row.item);
            } else {
                QTest::keySequence(&w, QKeySequence(row.keys));
            }
            const char* how[] = {"item", "keys", "keys, menu bar hidden"};
            const QString where = QString("%1 %2 by %3").arg(row.item, row.keys, how[static_cast<int>(via)]);
            QVERIFY2(via != Via::KeysWithoutMenuBar || !before.menuBar, qPrintable(where));
            if (QString(row.item) == "menuEC") QTRY_VERIFY_WITH_TIMEOUT(!f.dialogs.messages.isEmpty(), 60000);
            if (QString(row.item) == "menuEH") QTRY_VERIFY_WITH_TIMEOUT(!Look(w, f).hintLine.isEmpty(), 60000);
            const Seen after = Look(w, f);
            QVERIFY2(row.effect(before, after), qPrintable(where));
            QVERIFY2(after.checked == OnItems(after), qPrintable(where + ": " + after.checked.join(' ')));
        }
    }

    WindowFixture f;
    Tmain w(f.Make());
    QStringList items;
    for (const QAction* action : w.menuBar()->findChildren<QAction*>()) {
        if (action->menu() != nullptr || action->isSeparator()) continue;
        items << action->objectName();
    }
    items.sort();
    QCOMPARE(items, QStringList(covered.begin(), covered.end()));
    // Only the on/off items can carry a check mark; frame and size show theirs by being disabled.
    QStringList checkable;
    for (const QAction* action : w.findChildren<QAction*>()) {
        if (action->isCheckable()) checkable << action->objectName();
    }
    checkable.sort();
    QCOMPARE(checkable, (QStringList{"menuVB", "menuVN", "menuVP"}));
}

}  // namespace tilvaren

QTEST_MAIN(tilvaren::MenuActionsTest)
#include "MenuActionsTest.moc"
