#include <QAccessible>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QTabWidget>
#include <QThreadPool>
#include <QtTest>
#include <functional>

#include "app/HelpWindow.hpp"
#include "app/Language.hpp"
#include "app/WindowTestSupport.hpp"
#include "pieces/Solver.hpp"
#include "records/FileNames.hpp"
#include "records/GameRecord.hpp"
#include "support/Japanese.hpp"
#include "ui/ChallengeDialog.hpp"

namespace tilvaren {

using testing::ButtonOf;
using testing::ItemOf;
using testing::WindowFixture;

namespace {

// Every text a widget and those inside it show or give a screen reader, one
// line each as "object: text", in the order the widgets were made.
void Collect(QWidget& root, QStringList& texts) {
    const auto add = [&texts](const QObject* where, const QString& text) {
        if (text.trimmed().isEmpty()) return;
        const QString name = where->objectName().isEmpty() ? where->metaObject()->className() : where->objectName();
        texts << name + ": " + QString(text).replace('\n', QStringLiteral("\\n"));
    };
    QList<QWidget*> widgets{&root};
    widgets += root.findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        if (w->isWindow()) add(w, w->windowTitle());
        add(w, w->accessibleName());
        add(w, w->accessibleDescription());
        add(w, w->toolTip());
        if (auto* label = qobject_cast<QLabel*>(w)) add(w, label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w)) add(w, button->text());
        if (auto* box = qobject_cast<QGroupBox*>(w)) add(w, box->title());
        if (auto* line = qobject_cast<QLineEdit*>(w)) add(w, line->placeholderText());
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) add(w, tabs->tabText(i));
        }
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i) add(w, combo->itemText(i));
        }
        if (auto* list = qobject_cast<QListView*>(w); list != nullptr && list->model() != nullptr) {
            for (int row = 0; row < list->model()->rowCount(); ++row) {
                const QModelIndex index = list->model()->index(row, 0);
                add(w, index.data().toString());
                add(w, index.data(Qt::AccessibleTextRole).toString());
            }
        }
        // The menu bar's own menu of the menus it has no room for is left out:
        // how many it lists depends on the width of their captions.
        if (auto* menu = qobject_cast<QMenu*>(w); menu != nullptr && !menu->objectName().isEmpty()) {
            add(w, menu->title());
            QAccessibleInterface* node = QAccessible::queryAccessibleInterface(menu);
            for (int i = 0; node != nullptr && i < node->childCount(); ++i) {
                add(w, node->child(i)->text(QAccessible::Name));
                add(w, node->child(i)->text(QAccessible::Description));
            }
        }
    }
}

// Clicks a whole board in, piece by piece, as the mouse would.
void ClickBoard(QWidget& w, const FilledFrame& solution) {
    for (const char letter : std::string("FILNPTUVWXYZ")) {
        for (int n = 0; n < 60; ++n) {
            if (solution[static_cast<std::size_t>(n)] == letter && !ButtonOf(w, n)->isHidden()) ButtonOf(w, n)->click();
        }
    }
}

// Plays the game through every menu item, dialog and message these tests
// reach, in a program folder whose settings file holds `ini`, and gathers
// every text shown on the way.
QStringList Walk(const char* ini) {
    QStringList texts;
    WindowFixture f;
    testing::WriteAll(f.dir.File(kSettingsFile), ini);
    GameRecord found;
    found.cells = DistinctSolutions(6)[1];
    found.marker = kSolutionMarker;
    testing::WriteAll(f.dir.File(kSolutionFile), FormatGameRecord(found, f.clock));
    f.dialogs.player = [&texts](QDialog& dialog) {
        dialog.show();
        Collect(dialog, texts);
        // The challenge goes ahead; every other dialog is cancelled.
        return qobject_cast<ChallengeDialog*>(&dialog) != nullptr;
    };
    f.dialogs.answer = true;
    Tmain w(f.Make());
    w.show();
    if (!QTest::qWaitForWindowActive(&w)) return {"the window never showed"};
    const auto trigger = [&w](const char* item) { ItemOf(w, item)->trigger(); };

    // A hint in its own line, then a piece placed, a cell selected, others blocked; the
    // check, and a hint in the strip.
    trigger("menuEH");
    const auto* hintLine = w.findChild<QLabel*>("HintLine");
    if (!QTest::qWaitFor([hintLine] { return !hintLine->text().isEmpty(); }, 60000)) return {"no hint told"};
    texts << "HintLine: " + hintLine->text();
    for (const int n : {20, 21, 22, 23, 24}) ButtonOf(w, n)->click();
    ButtonOf(w, 0)->click();
    trigger("menuEC");
    if (!QTest::qWaitFor([&f] { return f.dialogs.messages.size() == 1; }, 60000)) return {"no check told"};
    trigger("menuVP");
    trigger("menuEH");
    const auto* marks = w.findChild<HintMarks*>("HintMarks");
    if (!QTest::qWaitFor([marks] { return !marks->Marked().empty(); }, 60000)) return {"no hint marked"};
    Collect(w, texts);
    trigger("menuVO");
    trigger("menuHV");

    // A whole game, then the collection with its solutions, one chosen, and a challenge.
    trigger("menuER");
    ClickBoard(w, DistinctSolutions(6).front());
    trigger("menuVC");
    auto* collection = w.findChild<CollectionWindow*>("CollectionWindow");
    CollectionPageView* page = collection->Page(6);
    if (!QTest::qWaitFor([page] { return page->Grid()->model()->rowCount() == 2; }, 20000)) return {"no collection"};
    page->Grid()->setCurrentIndex(page->Grid()->model()->index(0, 0));
    page->findChild<QPushButton*>("ChallengeButton")->click();
    const auto* line = page->findChild<QLabel*>("ChallengeLine");
    if (!QTest::qWaitFor([line] { return !line->text().isEmpty(); }, 60000)) return {"no challenge taken"};
    Collect(*collection, texts);

    HelpWindow help([] { return std::string(":/tilvaren/Tilvaren.hlp"); }, f.dialogs);
    Collect(help, texts);
    w.close();
    // The files the game wrote, its settings but for the language and where
    // the collection window stood, which its captions' widths decide.
    static const QRegularExpression own(QStringLiteral("^ini(Language|Collection(Left|Top|Width|Height))="));
    for (const char* name : {kSolutionFile, kSettingsFile}) {
        for (const QString& text : QString::fromStdString(testing::ReadAll(f.dir.File(name))).split("\r\n")) {
            if (!own.match(text).hasMatch()) texts << QString("file %1: %2").arg(name, text);
        }
    }
    for (const QString& message : f.dialogs.messages) texts << "message: " + QString(message).replace('\n', "\\n");
    for (const QString& question : f.dialogs.questions) texts << "question: " + QString(question).replace('\n', "\\n");
    return texts;
}

// The walk in Japanese, made once for the tests that compare with it.
const QStringList& JapaneseWalk() {
    static const QStringList texts = Walk("[Environment]\r\niniLanguage=ja\r\n");
    return texts;
}

// The texts that hold Japanese, but for the language choice's own name of
// Japanese.
QStringList Untranslated(const QStringList& texts) {
    QStringList found;
    for (const QString& text : texts) {
        if (testing::HasJapanese(text) && !text.endsWith(QString::fromUtf8(": 日本語"))) found << text;
    }
    return found;
}

}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT
private slots:
    void JapaneseCaptionsStayAsTheyWere();
    void EnglishShowsNoJapanese();
    void SwitchingRewordsEveryOpenWindow();
    void QtButtonsFollowTheLanguage();
    void TheReadmeNamesEveryMenuItem();
};

void LanguageTest::JapaneseCaptionsStayAsTheyWere() {
    // Left out: the challenge's line, which counts what a random challenge
    // leaves; Qt's own names of its tab scroll buttons; the language choice,
    // which is new, and its list.
    const QStringList texts = JapaneseWalk().filter(QRegularExpression("^(?!(ChallengeLine|Scroll(Left|Right)Button|cbLanguage|lbLanguage|QComboBoxListView): )"));
    QFile file(QStringLiteral(TILVAREN_JAPANESE_TEXTS));
    if (qEnvironmentVariableIsSet("TILVAREN_WRITE_TEXTS")) {
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(texts.filter(QRegularExpression("^(?!file )")).join('\n').toUtf8() + '\n');
        return;
    }
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList expected = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(texts.filter(QRegularExpression("^(?!file )")), expected);
}

// The same walk in English: every text there, none of it Japanese, and the
// files written as in Japanese.
void LanguageTest::EnglishShowsNoJapanese() {
    const QStringList& japanese = JapaneseWalk();
    const QStringList english = Walk("[Environment]\r\niniLanguage=en\r\n");
    QCOMPARE(english.size(), japanese.size());
    QVERIFY2(Untranslated(english).isEmpty(), qPrintable(Untranslated(english).join('\n')));
    QCOMPARE(english.filter(QRegularExpression("^file ")), japanese.filter(QRegularExpression("^file ")));
    // A few captions as the README's table gives them.
    for (const char* caption : {"menuE: Check", "menuV:  Piece Support", "menuVFF: 6×10 (6)", "menuH: About Tilvaren",
                                "PageControl: &Environment", "StatusPanel2: Piece I on the board",
                                "Image00: Row 1, column 1, selected",
                                "PieceSupportLine: Cannot be finished. Take I away to have 2339 ways left again"}) {
        QVERIFY2(english.contains(QString::fromUtf8(caption)), caption);
    }
}

// English chosen in the options dialog: the main window, the collection and
// the help window reword at once, cells and panels too, and the choice is
// saved; Japanese again brings back every text as it was.
void LanguageTest::SwitchingRewordsEveryOpenWindow() {
    WindowFixture f;
    int language = 1;
    f.dialogs.player = [&language](QDialog& dialog) {
        auto& options = static_cast<Toptions&>(dialog);
        options.cbLanguage->setCurrentIndex(language);
        options.btnOKClick();
        return true;
    };
    Tmain w(f.Make());
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    for (const int n : {0, 1, 2}) ButtonOf(w, n)->click();
    ItemOf(w, "menuVP")->trigger();
    ItemOf(w, "menuVC")->trigger();
    auto* collection = w.findChild<CollectionWindow*>("CollectionWindow");
    QTRY_VERIFY_WITH_TIMEOUT(!collection->Page(6)->Header()->text().isEmpty(), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(!w.findChild<PieceStrip*>()->Line().Warning() && w.findChild<PieceStrip*>()->Line().kind != SupportLine::Kind::Counting, 60000);
    HelpWindow help([&f] { return HelpFileFor(f.dir.Path(), LanguageInUse()); }, f.dialogs);
    help.Contents();
    // Sorted: a page shown comes before its siblings afterwards.
    const auto texts = [&] {
        QStringList all;
        Collect(w, all);
        Collect(*collection, all);
        Collect(help, all);
        all.sort();
        return all;
    };
    const QStringList before = texts();

    ItemOf(w, "menuVO")->trigger();
    const QStringList english = texts();
    QCOMPARE(english.size(), before.size());
    QVERIFY2(Untranslated(english).isEmpty(), qPrintable(Untranslated(english).join('\n')));
    QVERIFY(testing::ReadAll(f.dir.File(kSettingsFile)).find("iniLanguage=en\r\n") != std::string::npos);
    // The help shows the English help file's topics.
    QVERIFY(!testing::HasJapanese(help.ContentsList()->model()->index(0, 0).data().toString()));

    language = 0;
    ItemOf(w, "menuVO")->trigger();
    QCOMPARE(texts(), before);
    QVERIFY(testing::ReadAll(f.dir.File(kSettingsFile)).find("iniLanguage=ja\r\n") != std::string::npos);
    QVERIFY(f.dialogs.messages.isEmpty());
}

// Qt's own standard buttons speak the game's language.
void LanguageTest::QtButtonsFollowTheLanguage() {
    const auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
    QVERIFY(UseLanguage(Language::English));
    QCOMPARE(yes(), QString("&Yes"));
    QVERIFY(UseLanguage(Language::Japanese));
    QVERIFY2(testing::HasJapanese(yes()), qPrintable(yes()));
}


// The README's table of menu items gives each caption as the menus show it,
// in English and in Japanese.
void LanguageTest::TheReadmeNamesEveryMenuItem() {
    QFile file(QStringLiteral(TILVAREN_README));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString readme = QString::fromUtf8(file.readAll());
    const QString table = readme.section(QStringLiteral("| menu | item | in Japanese |"), 1).section("\n\n", 0, 0);
    QVERIFY(!table.isEmpty());
    for (const Language language : {Language::English, Language::Japanese}) {
        QVERIFY(UseLanguage(language));
        WindowFixture f;
        Tmain w(f.Make());
        for (const QAction* item : w.menuBar()->findChildren<QAction*>()) {
            if (item->isSeparator() || item->text().isEmpty()) continue;
            // As read on screen: no access key mark.
            const QString caption =
                QString(item->text()).remove(QRegularExpression("\\(&.\\)$")).remove('&').trimmed();
            QVERIFY2(table.contains(caption), qPrintable(caption));
        }
    }
}

}  // namespace tilvaren

QTEST_MAIN(tilvaren::LanguageTest)
#include "LanguageTest.moc"
