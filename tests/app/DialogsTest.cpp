#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>

#include "Version.hpp"
#include "app/HelpWindow.hpp"
#include "app/Language.hpp"
#include "app/ProgramDir.hpp"
#include "app/QtServices.hpp"
#include "app/WindowTestSupport.hpp"
#include "records/FileNames.hpp"
#include "ui/WindowFont.hpp"

namespace tilvaren {

using testing::BoardAreaOf;
using testing::ButtonOf;
using testing::ImageOf;
using testing::ItemOf;
using testing::StatusOf;
using testing::WindowFixture;

namespace {

// Plays the options dialog: sets the controls, then OK or CANCEL.
std::function<bool(QDialog&)> Choose(int frameItem, int sizeItem, bool menuBar, bool statusBar, bool ok) {
    return [=](QDialog& dialog) {
        auto& options = static_cast<Toptions&>(dialog);
        if (options.rgFrameBox->isEnabled()) options.rgFrame->button(frameItem)->setChecked(true);
        options.rgFrameSize->button(sizeItem)->setChecked(true);
        options.cbMenuBar->setChecked(menuBar);
        options.cbStatusBar->setChecked(statusBar);
        if (!ok) return false;
        options.btnOKClick();
        return options.result() == QDialog::Accepted;
    };
}

const char* kHelpText =
    "<html><body><p>head</p>"
    "<h2 id=\"contents\" data-keywords=\"目次\">目次</h2><p><a href=\"#play\">遊び方</a></p>"
    "<h2 id=\"play\" data-context=\"35000\" data-keywords=\"クリック;セル\">遊び方</h2><p>セルをクリック</p>"
    "<h2 id=\"files\" data-keywords=\"ファイル;セル\">ファイル</h2><p>Tilvaren.ini</p>"
    "<h2 data-keywords=\"no id\">skipped</h2><p>x</p>"
    "</body></html>";

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void OptionsShowAndReturnTheSettings();
    void OptionsAppliedByTheWindow();
    void OptionsFrameLockedDuringAGame();
    void AboutBoxClosesOnlyWithOk();
    void AboutBoxOfThisBuildFitsAndStaysInTheProgram();
    void HelpFileTopicsAndIndex();
    void HelpWindowOpensTopics();
    void HelpFileThatCannotBeShownIsTold();
    void HelpShowsTheFileTextOnlyAndParsesOnce();
    void RealHelpFileLooksAsItAlwaysDid_data();
    void RealHelpFileLooksAsItAlwaysDid();
    void NoHelpFileKeepsTheWindowBusy_data();
    void NoHelpFileKeepsTheWindowBusy();
    void DataFilesFallBackToBuiltInCopies();
    void HelpUsableWhileOptionsAreOpen();
    void MessageBoxShowsItsWholeTitle();
    void ContextHelpReachesTheViewer();
    void ClickSoundLooksForItsFileOnEveryClick();
};

void DialogsTest::OptionsShowAndReturnTheSettings() {
    Toptions options;
    QCOMPARE(options.windowTitle(), QString(" O p t i o n s"));
    QCOMPARE(options.size(), QSize(406, 245));
    QCOMPARE(options.PageControl->tabText(0), QString::fromUtf8("環 境(&E)"));
    QCOMPARE(options.PageControl->tabText(1), QString::fromUtf8("ペントミノ(&P)"));
    QCOMPARE(options.rgFrame->button(3)->text(), QString::fromUtf8("６×10（2339通り） "));
    QCOMPARE(options.rgFrame->button(0)->text(), QString::fromUtf8("３×20（   2通り）"));

    struct Case {
        int size;
        int item;
        int applied;
    };
    for (const Case c : {Case{18, 0, 18}, Case{20, 1, 24}, Case{24, 1, 24}, Case{32, 2, 32}, Case{0, 0, 18},
                         Case{-3, 1, 24}, Case{40, 1, 24}}) {
        options.FormShow(Settings{5, c.size, false, true}, false);
        QCOMPARE(options.PageControl->currentIndex(), 1);  // the frame page first
        QCOMPARE(options.rgFrameSize->checkedId(), c.item);
        QCOMPARE(options.rgFrame->checkedId(), 2);
        QVERIFY(!options.cbMenuBar->isChecked() && options.cbStatusBar->isChecked());
        options.btnOKClick();
        QCOMPARE(options.Pending().FrameSize, c.applied);
        QCOMPARE(options.Pending().FrameY, 5);
    }
    // The language shown is the one in use, and OK keeps it.
    for (const Language language : {Language::English, Language::Japanese}) {
        options.FormShow(Settings{6, 24, true, true, false, {}, {}, language}, false);
        QCOMPARE(options.cbLanguage->currentText(), QString::fromUtf8(language == Language::English ? "English" : "日本語"));
        options.btnOKClick();
        QVERIFY(options.Pending().language == language);
    }
}

void DialogsTest::OptionsAppliedByTheWindow() {
    {  // Cancel applies nothing: the game, the window and the settings file stay.
        WindowFixture f;
        Tmain w(f.Make());
        ButtonOf(w, 0)->click();
        const std::string ini = testing::ReadAll(f.dir.File(kSettingsFile));
        f.dialogs.player = Choose(0, 2, false, false, false);
        ItemOf(w, "menuVO")->trigger();
        QCOMPARE(f.dialogs.modals, QStringList{"Toptions"});
        QVERIFY(!ImageOf(w, 0)->isHidden());
        QCOMPARE(ButtonOf(w, 0)->width(), 24);
        QVERIFY(!w.menuBar()->isHidden() && !w.statusBar()->isHidden());
        QCOMPARE(testing::ReadAll(f.dir.File(kSettingsFile)), ini);
    }
    {  // A new frame, size and bars: laid out, saved and shown.
        WindowFixture f;
        Tmain w(f.Make());
        f.dialogs.player = Choose(2, 2, false, true, true);
        ItemOf(w, "menuVO")->trigger();
        QVERIFY(w.menuBar()->isHidden());
        QCOMPARE(StatusOf(w)->PanelText(0), QString("5 * 12"));
        QCOMPARE(BoardAreaOf(w)->size(), QSize(13 * 32, 6 * 32));
        QCOMPARE(ButtonOf(w, 59)->geometry(), QRect(16 + 11 * 32, 16 + 4 * 32, 32, 32));
        QVERIFY(!ItemOf(w, "menuVF5")->isEnabled() && !ItemOf(w, "menuVF")->isEnabled());
        QCOMPARE(ItemOf(w, "menuEU")->text(), kUCaptionCreated);  // the dialog leaves the caption alone
        const std::string ini = testing::ReadAll(f.dir.File(kSettingsFile));
        QVERIFY(ini.find("iniFrameY=5") != std::string::npos && ini.find("iniFrameSize=32") != std::string::npos &&
                ini.find("iniMenuBarOn=0") != std::string::npos);
    }
}

void DialogsTest::OptionsFrameLockedDuringAGame() {
    WindowFixture f;
    Tmain w(f.Make());
    ButtonOf(w, 0)->click();
    bool frameEnabled = true;
    f.dialogs.player = [&frameEnabled](QDialog& dialog) {
        frameEnabled = static_cast<Toptions&>(dialog).rgFrameBox->isEnabled();
        return Choose(0, 2, true, true, true)(dialog);
    };
    ItemOf(w, "menuVO")->trigger();
    QVERIFY(!frameEnabled);
    QCOMPARE(StatusOf(w)->PanelText(0), QString("6 * 10"));  // kept
    CellImage* selected = ImageOf(w, 0);  // the game goes on, redrawn at 32
    QVERIFY(!selected->isHidden());
    QCOMPARE(selected->Picture().width(), 32);
    ItemOf(w, "menuER")->trigger();
    ItemOf(w, "menuVO")->trigger();
    QVERIFY(frameEnabled);
    QCOMPARE(StatusOf(w)->PanelText(0), QString("3 * 20"));
}

void DialogsTest::AboutBoxClosesOnlyWithOk() {
    testing::FakeOpener opener;
    testing::FakeHelp help;
    Tversion about({"someone@example.org", "https://example.org/tilvaren", "n1", "n2"}, opener, help);
    QCOMPARE(about.windowTitle(), QString(" V e r s i o n"));
    QCOMPARE(about.size(), QSize(300, 185));
    QVERIFY(!(about.windowFlags() & Qt::WindowCloseButtonHint));
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(about.btnCLOSE));
    // A screen reader reads the name and version, not the rule of underscores above them.
    QStringList heard;
    const std::function<void(QAccessibleInterface*)> read = [&](QAccessibleInterface* node) {
        if (!node->text(QAccessible::Name).isEmpty()) heard << node->text(QAccessible::Name);
        for (int i = 0; i < node->childCount(); ++i) read(node->child(i));
    };
    read(QAccessible::queryAccessibleInterface(&about));
    QVERIFY2(heard.contains("T i l v a r e n") && !heard.filter("Version").isEmpty(), qPrintable(heard.join('|')));
    QVERIFY2(heard.filter("__").isEmpty(), qPrintable(heard.join('|')));
    QCOMPARE(about.findChild<QLabel*>("Label1")->text(), QString(23, '_'));
    QTest::keyClick(&about, Qt::Key_Escape);
    QVERIFY(about.isVisible());
    about.close();
    QVERIFY(about.isVisible());
    QTest::mouseClick(about.Button1, Qt::LeftButton);
    QTest::mouseClick(about.Button2, Qt::LeftButton);
    QCOMPARE(opener.opened,
             (QList<QUrl>{QUrl(QStringLiteral("mailto:someone@example.org?subject=About the Tilvaren Version ") +
                               QLatin1StringView(kVersion)),
                          QUrl("https://example.org/tilvaren")}));
    QVERIFY(about.isVisible());  // the links leave it open
    QVERIFY(help.calls.isEmpty());
    QTest::mouseClick(about.btnCLOSE, Qt::LeftButton);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

void DialogsTest::AboutBoxOfThisBuildFitsAndStaysInTheProgram() {
    QApplication::setFont(WindowFont());
    testing::FakeOpener opener;
    testing::FakeHelp help;
    Tversion about(AboutInfoForBuild(), opener, help);  // built with no mail address or web page
    for (const QLabel* label : about.findChildren<QLabel*>()) {
        QVERIFY2(label->geometry().right() < about.width() - 4, qPrintable(label->text()));
    }
    for (const QPushButton* button : {about.Button1, about.Button2}) {
        QVERIFY(!button->text().isEmpty());
        QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) + 8 <= button->width(),
                 qPrintable(button->text()));
    }
    QVERIFY(about.findChild<QLabel*>("Label9")->text().contains("GPL-3.0-or-later"));
    QTest::mouseClick(about.Button1, Qt::LeftButton);
    QTest::mouseClick(about.Button2, Qt::LeftButton);
    QCOMPARE(help.calls, (QStringList{QString("context %1").arg(kLicenceHelpContext), "contents"}));
    QVERIFY(opener.opened.isEmpty());
}

void DialogsTest::HelpFileTopicsAndIndex() {
    const HelpFile file = HelpFile::Parse(kHelpText);
    QCOMPARE(file.Topics().size(), std::size_t{3});
    QCOMPARE(QString::fromStdString(file.ByContext(35000)->id), QString("play"));
    QVERIFY(file.ByContext(0) == nullptr && file.ByContext(1) == nullptr);
    const auto index = file.KeywordIndex();
    QCOMPARE(index.size(), std::size_t{5});
    const auto cell = std::find_if(index.begin(), index.end(), [](const auto& e) { return e.keyword == "セル"; });
    QVERIFY(cell != index.end() && cell + 1 != index.end());
    QVERIFY(cell->shared && cell[1].shared && cell[1].keyword == "セル");
    QCOMPARE(QString::fromStdString(cell->topic->id), QString("play"));
    QCOMPARE(QString::fromStdString(cell[1].topic->id), QString("files"));
    // Damaged files give what can be read, never more.
    for (const char* damaged : {"<h2 id=\"a\"", "<h2 id=\"a\">t", "<h2 id=\"a\" data-context=\"x\">t</h2>", "",
                                "<h2 id=\"a\">t</h2><h2 id=\"a\">dup</h2>"}) {
        const HelpFile parsed = HelpFile::Parse(damaged);
        QVERIFY(parsed.Topics().size() <= 1);
        if (!parsed.Topics().empty()) QCOMPARE(parsed.Topics()[0].context, 0);
    }
}

void DialogsTest::HelpWindowOpensTopics() {
    testing::TempDir dir;
    std::string path;
    testing::FakeDialogs told;
    HelpWindow help([&path] { return path; }, told);
    help.Contents();  // no file: nothing opens, and the player is told
    help.KeywordSearch();
    help.Context(35000);
    QVERIFY(!help.isVisible());
    QCOMPARE(help.CurrentTopic(), QString());
    QCOMPARE(told.messages.size(), 3);

    path = dir.File(kHelpFile);
    testing::WriteAll(path, kHelpText);
    help.Context(35000);
    QVERIFY(help.isVisible());
    QCOMPARE(help.CurrentTopic(), QString("play"));
    help.Tabs()->setCurrentIndex(1);  // the keyword tab, as clicked
    QCOMPARE(help.KeywordList()->model()->rowCount(), 5);
    QVERIFY(help.Browser()->toPlainText().contains(QString::fromUtf8("セルをクリック")));
    help.Contents();
    QCOMPARE(help.CurrentTopic(), QString("contents"));
    QCOMPARE(help.ContentsList()->model()->rowCount(), 3);
    help.KeywordSearch();
    QCOMPARE(help.Tabs()->currentIndex(), 1);
    help.KeywordField()->setText(QString::fromUtf8("ファ"));
    QTest::keyClick(help.KeywordField(), Qt::Key_Return);
    QCOMPARE(help.CurrentTopic(), QString("files"));
    help.Context(12345);  // an unknown context opens the first topic
    QCOMPARE(help.CurrentTopic(), QString("contents"));
    emit help.Browser()->anchorClicked(QUrl("#files"));  // a link to another topic
    QCOMPARE(help.CurrentTopic(), QString("files"));
    emit help.Browser()->anchorClicked(QUrl("file:///etc/passwd#play"));  // anything else is not followed
    QCOMPARE(help.CurrentTopic(), QString("files"));
    QCOMPARE(told.messages.size(), 3);
}

void DialogsTest::HelpFileThatCannotBeShownIsTold() {
    testing::TempDir dir;
    const std::string fifo = dir.File("fifo.hlp");
    const std::string large = dir.File("large.hlp");
    const std::string empty = dir.File("empty.hlp");
    QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
    testing::WriteAll(large, kHelpText);
    QCOMPARE(::truncate(large.c_str(), 2 * 1024 * 1024), 0);
    testing::WriteAll(empty, "<html><body><p>no topics</p></body></html>");
    struct Case {
        std::string path;
        const char* told;
    };
    for (const Case& c : {Case{"", "見つかりません"}, Case{fifo, "通常のファイルではありません"},
                          Case{dir.Path(), "通常のファイルではありません"}, Case{large, "大きすぎます"},
                          Case{empty, "項目が一つもありません"}, Case{dir.File("gone.hlp"), "ありません"}}) {
        testing::FakeDialogs told;
        HelpWindow help([&c] { return c.path; }, told);
        help.Contents();
        QVERIFY2(!help.isVisible(), c.told);
        QCOMPARE(told.messages.size(), 1);
        QVERIFY2(told.messages[0].contains(QString::fromUtf8(c.told)), qPrintable(told.messages[0]));
    }
}

void DialogsTest::HelpShowsTheFileTextOnlyAndParsesOnce() {
    testing::TempDir dir;
    const std::string picture = dir.File("tall.png");
    QVERIFY(QImage(4, 3000, QImage::Format_RGB32).save(QString::fromStdString(picture)));
    testing::WriteAll(dir.File("tall.css"), "p { margin-top: 3000px; }");
    const std::string path = dir.File(kHelpFile);
    testing::WriteAll(path, std::string(kHelpText) + "<h2 id=\"pictures\">P</h2><p><img src=\"" + picture +
                                "\"><link rel=\"stylesheet\" href=\"file://" + dir.File("tall.css") + "\"></p>");
    testing::FakeDialogs told;
    HelpWindow help([&path] { return path; }, told);
    help.Contents();
    emit help.Browser()->anchorClicked(QUrl("#pictures"));
    QCOMPARE(help.CurrentTopic(), QString("pictures"));
    QVERIFY(help.Browser()->document()->size().height() < 1000);  // neither the picture nor the style sheet

    // Unchanged, the file is not parsed again; replaced, it is.
    const QPersistentModelIndex kept = help.ContentsList()->model()->index(0, 0);
    help.KeywordSearch();
    help.Context(35000);
    QVERIFY(kept.isValid());
    testing::WriteAll(dir.File("new.hlp"), "<h2 id=\"only\">Only</h2><p>x</p>");
    QCOMPARE(::rename(dir.File("new.hlp").c_str(), path.c_str()), 0);
    help.Contents();
    QVERIFY(!kept.isValid());
    QCOMPARE(help.ContentsList()->model()->rowCount(), 1);
    QCOMPARE(help.CurrentTopic(), QString("only"));
    QVERIFY(told.messages.isEmpty());
}

void DialogsTest::RealHelpFileLooksAsItAlwaysDid_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("Japanese") << QString(kHelpFile);
    QTest::newRow("English") << QString("en/") + kHelpFile;
}

// Every topic of each built-in file, opened through its link, shows the very
// document its text made when it went to the viewer as written.
void DialogsTest::RealHelpFileLooksAsItAlwaysDid() {
    QFETCH(QString, name);
    const std::string path = kBuiltInDataDir + name.toStdString();
    QFile file(QString::fromStdString(path));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const HelpFile parsed = HelpFile::Parse(file.readAll().toStdString());
    QVERIFY(parsed.Topics().size() >= 19);
    // Every topic a window opens by its context (F1 on the board, the options
    // dialog, the collection, the about box's licence) is in the file.
    for (const int context : {35000, 35300, 35400, 35900}) {
        QVERIFY2(parsed.ByContext(context) != nullptr, qPrintable(QString::number(context)));
    }
    testing::FakeDialogs told;
    HelpWindow help([&path] { return path; }, told);
    help.Contents();
    QTextBrowser asWritten;
    for (const HelpTopic& topic : parsed.Topics()) {
        emit help.Browser()->anchorClicked(QUrl(QString::fromStdString("#" + topic.id)));
        QCOMPARE(help.CurrentTopic(), QString::fromStdString(topic.id));
        asWritten.setHtml(QString::fromStdString("<h2>" + topic.title + "</h2>" + topic.body));
        QCOMPARE(help.Browser()->document()->toHtml(), asWritten.document()->toHtml());
    }
    QVERIFY(told.messages.isEmpty());
}

namespace {

std::string Repeat(std::string_view piece, int times) {
    std::string text;
    text.reserve(piece.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

// Milliseconds the window is kept from answering by `action`: the call, the
// events it leaves behind, and laying out the whole topic shown.
qint64 BusyFor(HelpWindow& help, const std::function<void()>& action) {
    QElapsedTimer timer;
    timer.start();
    action();
    QCoreApplication::processEvents();
    help.Browser()->document()->documentLayout()->documentSize();
    QCoreApplication::processEvents();
    return timer.elapsed();
}

}  // namespace

// Each shape once froze the window for seconds; each stays under 1 MB.
void DialogsTest::NoHelpFileKeepsTheWindowBusy_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("keywords");
    std::string keywords;
    for (int i = 0; i < 100000; ++i) keywords += "k" + std::to_string(i) + ";";
    const struct {
        const char* name;
        std::string body;
        std::string keywords;
    } shapes[] = {
        {"div 150,000 deep", Repeat("<div>", 150000), ""},
        {"lists 100,000 deep", Repeat("<ul><li>", 100000), ""},
        {"tables 60,000 deep", Repeat("<table><tr><td>", 60000), ""},
        {"200,000 <b>", Repeat("<b>", 200000) + "x", ""},
        {"one word of 900,000 characters", std::string(900000, 'x'), ""},
        {"800 KB of invalid UTF-8", Repeat("\xff\xc3(\x80", 200000), ""},
        {"430 KB of numeric entities", Repeat("&#65;", 86000), ""},
        {"100,000 keywords", "<p>x</p>", keywords},
    };
    for (const auto& shape : shapes) {
        QTest::newRow(shape.name) << QByteArray::fromStdString(shape.body) << QByteArray::fromStdString(shape.keywords);
    }
}

void DialogsTest::NoHelpFileKeepsTheWindowBusy() {
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, keywords);
    testing::TempDir dir;
    const std::string path = dir.File(kHelpFile);
    testing::WriteAll(path, "<html><body><h2 id=\"contents\">目次</h2><p>x</p><h2 id=\"odd\" data-keywords=\"" +
                                keywords.toStdString() + "\">odd</h2>" + body.toStdString() + "</body></html>");
    QVERIFY(QFileInfo(QString::fromStdString(path)).size() <= 1024 * 1024);
    testing::FakeDialogs told;
    HelpWindow help([&path] { return path; }, told);
    QListView* contents = help.ContentsList();
    const QAbstractItemModel* keywordRows = help.KeywordList()->model();
    const qint64 opening[] = {
        BusyFor(help, [&] { help.Contents(); }),
        BusyFor(help, [&] {
            QTest::mouseClick(contents->viewport(), Qt::LeftButton, {},
                              contents->visualRect(contents->model()->index(1, 0)).center());
        }),
        BusyFor(help, [&] { help.KeywordSearch(); }),
    };
    QCOMPARE(help.CurrentTopic(), QString("odd"));
    // Many keywords are gathered away from the window, which answers meanwhile.
    QTRY_COMPARE_WITH_TIMEOUT(keywordRows->rowCount(), keywords.count(';'), 20000);
    emit help.Browser()->anchorClicked(QUrl("#contents"));
    const qint64 searching[] = {
        BusyFor(help, [&] { QTest::keyClick(help.KeywordField(), Qt::Key_K); }),
        BusyFor(help, [&] { QTest::keyClick(help.KeywordField(), Qt::Key_9); }),
        BusyFor(help, [&] { QTest::keyClick(help.KeywordField(), Qt::Key_Return); }),
    };
    qInfo() << "ms: contents, topic, keywords:" << opening[0] << opening[1] << opening[2]
            << "typing k, 9, return:" << searching[0] << searching[1] << searching[2];
    // k9, k90 to k99, k900 to k999 and so on: 1 + 10 + 100 + 1,000 + 10,000.
    QCOMPARE(keywordRows->rowCount(), keywords.isEmpty() ? 0 : 11111);
    QCOMPARE(help.CurrentTopic(), QString(keywords.isEmpty() ? "contents" : "odd"));
    for (const qint64 ms : opening) QVERIFY2(ms < 1000, qPrintable(QString("%1 ms").arg(ms)));
    for (const qint64 ms : searching) QVERIFY2(ms < 1000, qPrintable(QString("%1 ms").arg(ms)));
    QVERIFY(told.messages.isEmpty());
}

void DialogsTest::DataFilesFallBackToBuiltInCopies() {
    testing::TempDir dir;
    QCOMPARE(FindDataFile(dir.Path(), kHelpFile), kBuiltInDataDir + std::string(kHelpFile));
    QCOMPARE(FindDataFile(dir.Path(), kSoundFile), kBuiltInDataDir + std::string(kSoundFile));
    // Anything the player put in the folder wins, even what cannot be used.
    QCOMPARE(::mkfifo(dir.File(kSoundFile).c_str(), 0600), 0);
    QCOMPARE(FindDataFile(dir.Path(), kSoundFile), dir.File(kSoundFile));

    QFile sound(QString::fromStdString(kBuiltInDataDir + std::string(kSoundFile)));
    QVERIFY(sound.open(QIODevice::ReadOnly));
    QVERIFY(sound.read(4) == "RIFF");
    testing::FakeDialogs told;
    HelpWindow help([&dir] { return FindDataFile(dir.Path(), kHelpFile); }, told);
    help.Context(kLicenceHelpContext);
    QCOMPARE(help.CurrentTopic(), QString("licence"));
    QVERIFY(help.Browser()->toPlainText().contains("GPL"));

    // The help in each language; the player's own beside the game in both.
    struct Case {
        const char* name;
        std::vector<const char*> files;  // in the program folder
        Language language;
        std::string expected;  // the program folder's "" stands for the folder
    };
    const std::string builtIn = kBuiltInDataDir;
    const Case cases[] = {
        {"Japanese, built in", {}, Language::Japanese, builtIn + "Tilvaren.hlp"},
        {"English, built in", {}, Language::English, builtIn + "en/Tilvaren.hlp"},
        {"the player's own, in English too", {"Tilvaren.hlp"}, Language::English, "Tilvaren.hlp"},
        {"the player's own English one", {"en/Tilvaren.hlp"}, Language::English, "en/Tilvaren.hlp"},
        {"no English one for Japanese", {"en/Tilvaren.hlp"}, Language::Japanese, builtIn + "Tilvaren.hlp"},
    };
    for (const Case& c : cases) {
        testing::TempDir folder;
        QVERIFY(QDir().mkdir(QString::fromStdString(folder.File("en"))));
        for (const char* file : c.files) testing::WriteAll(folder.File(file), kHelpText);
        const std::string expected = c.expected.starts_with(":/") ? c.expected : folder.File(c.expected);
        QVERIFY2(HelpFileFor(folder.Path(), c.language) == expected, c.name);
    }
}

void DialogsTest::HelpUsableWhileOptionsAreOpen() {
    testing::TempDir dir;
    testing::WriteAll(dir.File(kHelpFile), kHelpText);
    testing::FakeDialogs told;
    HelpWindow help([&dir] { return dir.File(kHelpFile); }, told);
    QWidget main;
    Toptions options(&main);
    QObject::connect(&options, &Toptions::contextHelpRequested, &help, &HelpWindow::Context);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    options.FormShow(Settings{}, false);
    QString shown;
    QTimer::singleShot(0, &options, [&] {
        QApplication::setActiveWindow(&options);
        options.rgFrame->button(1)->setFocus();
        QTest::keyClick(options.rgFrame->button(1), Qt::Key_F1);
        if (QTest::qWaitForWindowExposed(&help)) {
            // A click as the window system delivers it, which a modal box would block.
            QListView* list = help.ContentsList();
            const QPoint at = list->viewport()->mapTo(&help, list->visualRect(list->model()->index(2, 0)).center());
            QTest::mouseClick(help.windowHandle(), Qt::LeftButton, {}, at);
        }
        shown = help.CurrentTopic();
        options.reject();
    });
    MessageBoxDialogs dialogs;
    QVERIFY(!dialogs.RunModal(options));
    QCOMPARE(shown, QString("files"));
}

void DialogsTest::MessageBoxShowsItsWholeTitle() {
    MessageBoxDialogs dialogs;
    int width = 0;
    int needed = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        width = box->width();
        needed = box->fontMetrics().horizontalAdvance(kAppTitle) + 120;  // and the window manager's buttons
        box->button(QMessageBox::Ok)->click();
    });
    dialogs.Message(QStringLiteral("Congratulations!"));
    QVERIFY2(width >= needed, qPrintable(QString("%1 < %2").arg(width).arg(needed)));
}

void DialogsTest::ContextHelpReachesTheViewer() {
    WindowFixture f;
    Tmain w(f.Make());
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    // F1 on any cell, as a button or as an image: empty, selected, blocked.
    ButtonOf(w, 0)->click();
    for (QWidget* cell : std::initializer_list<QWidget*>{ButtonOf(w, 1), ButtonOf(w, 4), ImageOf(w, 0), ImageOf(w, 59)}) {
        cell->setFocus();
        QTest::keyClick(cell, Qt::Key_F1);
    }
    const QStringList onCells(4, "context 35000");
    QCOMPARE(f.help.calls, onCells);
    ItemOf(w, "menuER")->trigger();  // the frame free again in the dialog

    f.dialogs.player = [](QDialog& dialog) {
        auto& options = static_cast<Toptions&>(dialog);
        options.show();
        QApplication::setActiveWindow(&options);
        options.rgFrame->button(1)->setFocus();
        QTest::keyClick(options.rgFrame->button(1), Qt::Key_F1);
        options.hide();
        return false;
    };
    ItemOf(w, "menuVO")->trigger();
    QCOMPARE(f.help.calls, onCells + QStringList{"context 35000"});
}

void DialogsTest::ClickSoundLooksForItsFileOnEveryClick() {
    testing::TempDir dir;
    EffectClickSound sound;
    const std::string path = dir.File(kSoundFile);
    sound.Play(path);
    QCOMPARE(sound.Started(), 0);  // no file, no sound
    testing::WriteAll(path, "RIFF, but not a sound anyone could play");
    sound.Play(path);
    sound.Play(path);  // a broken file: tried, silent, and the click goes on
    QCOMPARE(sound.Started(), 2);
    ::unlink(path.c_str());
    sound.Play(path);
    QCOMPARE(sound.Started(), 2);
    // Only a regular file of a click sound's size is played, and nothing blocks.
    QCOMPARE(::mkfifo(path.c_str(), 0600), 0);
    sound.Play(path);
    ::unlink(path.c_str());
    QCOMPARE(::mkdir(path.c_str(), 0700), 0);
    sound.Play(path);
    ::rmdir(path.c_str());
    testing::WriteAll(path, "RIFF");
    QCOMPARE(::truncate(path.c_str(), 5 * 1024 * 1024), 0);
    sound.Play(path);
    QCOMPARE(sound.Started(), 2);
    sound.Play(kBuiltInDataDir + std::string(kSoundFile));
    QCOMPARE(sound.Started(), 3);

    // The window plays on every click: the player's own sound beside the game, else the built-in one.
    for (const bool own : {false, true}) {
        WindowFixture f;
        if (own) testing::WriteAll(f.dir.File(kSoundFile), "RIFF");
        Tmain w(f.Make());
        for (const int n : {0, 1}) ButtonOf(w, n)->click();
        QTest::mouseClick(ImageOf(w, 0), Qt::LeftButton);
        const std::string expected = own ? f.dir.File(kSoundFile) : kBuiltInDataDir + std::string(kSoundFile);
        QCOMPARE(f.sound.played, std::vector<std::string>(3, expected));
    }
}

}  // namespace tilvaren

QTEST_MAIN(tilvaren::DialogsTest)
#include "DialogsTest.moc"
