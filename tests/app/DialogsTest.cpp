#include <QtTest>

#include <QRadioButton>

#include "app/HelpWindow.hpp"
#include "app/QtServices.hpp"
#include "app/WindowTestSupport.hpp"
#include "records/FileNames.hpp"

namespace tilvaren {

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
    void HelpFileTopicsAndIndex();
    void HelpWindowOpensTopics();
    void HelpCommandsAndContextHelpReachTheViewer();
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
        QCOMPARE(options.Pending().FrameX, 12);
        QCOMPARE(options.Pending().GridStride, 20);
    }
}

void DialogsTest::OptionsAppliedByTheWindow() {
    {  // OK with nothing changed while no game is started empties the board.
        WindowFixture f;
        Tmain w(f.Make());
        w.GameBoard().Bsts[static_cast<std::size_t>(w.GameBoard().ChangeTo307(5))] = kBlocked;
        f.dialogs.player = Choose(3, 1, true, true, true);
        w.menuVOClick();
        QCOMPARE(f.dialogs.modals, QStringList{"Toptions"});
        QCOMPARE(w.GameBoard().CellCode(5), kEmpty);
    }
    {  // Cancel applies nothing.
        WindowFixture f;
        Tmain w(f.Make());
        w.GameBoard().Bsts[static_cast<std::size_t>(w.GameBoard().ChangeTo307(5))] = kBlocked;
        f.dialogs.player = Choose(0, 2, false, false, false);
        const std::string ini = testing::ReadAll(f.dir.File(kSettingsFile));
        w.menuVOClick();
        QCOMPARE(w.GameBoard().CellCode(5), kBlocked);
        QCOMPARE(w.GameBoard().FrameY, 6);
        QCOMPARE(w.CurrentSettings().FrameSize, 24);
        QCOMPARE(testing::ReadAll(f.dir.File(kSettingsFile)), ini);
    }
    {  // A new frame, size and bars: laid out, saved and shown.
        WindowFixture f;
        Tmain w(f.Make());
        f.dialogs.player = Choose(2, 2, false, true, true);
        w.menuVOClick();
        QCOMPARE(w.GameBoard().FrameY, 5);
        QCOMPARE(w.GameBoard().GridStride, 20);
        QCOMPARE(w.CurrentSettings().FrameSize, 32);
        QVERIFY(w.menuBar()->isHidden());
        QCOMPARE(w.Status().PanelText(0), QString("5 * 12"));
        QCOMPARE(w.BoardArea()->size(), QSize(13 * 32, 6 * 32));
        QCOMPARE(w.Button(59)->geometry(), QRect(16 + 11 * 32, 16 + 4 * 32, 32, 32));
        QVERIFY(!w.Menus().Item("menuVF5")->isEnabled() && !w.Menus().Item("menuVF")->isEnabled());
        QCOMPARE(w.Menus().Item("menuEU")->text(), kUCaptionCreated);  // the dialog leaves the caption alone
        const std::string ini = testing::ReadAll(f.dir.File(kSettingsFile));
        QVERIFY(ini.find("iniFrameY=5") != std::string::npos && ini.find("iniFrameSize=32") != std::string::npos &&
                ini.find("iniMenuBarOn=0") != std::string::npos);
        // Recognition works with the new row length.
        w.ButtonClick(0);
        QCOMPARE(w.GameBoard().CandidateCount, 37);
    }
}

void DialogsTest::OptionsFrameLockedDuringAGame() {
    WindowFixture f;
    Tmain w(f.Make());
    w.ButtonClick(0);
    bool frameEnabled = true;
    f.dialogs.player = [&frameEnabled](QDialog& dialog) {
        frameEnabled = static_cast<Toptions&>(dialog).rgFrameBox->isEnabled();
        return Choose(0, 2, true, true, true)(dialog);
    };
    w.menuVOClick();
    QVERIFY(!frameEnabled);
    QCOMPARE(w.GameBoard().FrameY, 6);           // kept
    QCOMPARE(w.GameBoard().CellCode(0), kSelected);  // the game goes on, redrawn at 32
    QCOMPARE(w.Image(0)->Picture().width(), 32);
    w.menuERClick();
    w.menuVOClick();
    QVERIFY(frameEnabled);
    QCOMPARE(w.GameBoard().FrameY, 3);
}

void DialogsTest::AboutBoxClosesOnlyWithOk() {
    testing::FakeOpener opener;
    Tversion about({"someone@example.org", "https://example.org/tilvaren", "n1", "n2"}, opener);
    QCOMPARE(about.windowTitle(), QString(" V e r s i o n"));
    QCOMPARE(about.size(), QSize(300, 185));
    QVERIFY(!(about.windowFlags() & Qt::WindowCloseButtonHint));
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(about.btnCLOSE));
    QTest::keyClick(&about, Qt::Key_Escape);
    QVERIFY(about.isVisible());
    about.close();
    QVERIFY(about.isVisible());
    QTest::mouseClick(about.Button1, Qt::LeftButton);
    QTest::mouseClick(about.Button2, Qt::LeftButton);
    QCOMPARE(opener.opened,
             (QList<QUrl>{QUrl("mailto:someone@example.org?subject=About the Tilvaren Version 0.9a"),
                          QUrl("https://example.org/tilvaren")}));
    QVERIFY(about.isVisible());  // the links leave it open
    QTest::mouseClick(about.btnCLOSE, Qt::LeftButton);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

void DialogsTest::HelpFileTopicsAndIndex() {
    const HelpFile file = HelpFile::Parse(kHelpText);
    QCOMPARE(file.Topics().size(), std::size_t{3});
    QCOMPARE(QString::fromStdString(file.ByContext(35000)->id), QString("play"));
    QVERIFY(file.ByContext(0) == nullptr && file.ByContext(1) == nullptr);
    const auto index = file.KeywordIndex();
    QCOMPARE(index.size(), std::size_t{4});
    const auto cell = std::find_if(index.begin(), index.end(), [](const auto& e) { return e.first == "セル"; });
    QVERIFY(cell != index.end());
    QCOMPARE(cell->second.size(), std::size_t{2});
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
    HelpWindow help([&path] { return path; });
    help.Contents();  // no file: nothing opens
    help.KeywordSearch();
    help.Context(35000);
    QVERIFY(!help.isVisible());
    QCOMPARE(help.CurrentTopic(), QString());

    path = dir.File(kHelpFile);
    testing::WriteAll(path, kHelpText);
    help.Context(35000);
    QVERIFY(help.isVisible());
    QCOMPARE(help.CurrentTopic(), QString("play"));
    QVERIFY(help.Browser()->toPlainText().contains(QString::fromUtf8("セルをクリック")));
    help.Contents();
    QCOMPARE(help.CurrentTopic(), QString("contents"));
    QCOMPARE(help.ContentsList()->count(), 3);
    help.KeywordSearch();
    QCOMPARE(help.Tabs()->currentIndex(), 1);
    help.KeywordField()->setText(QString::fromUtf8("ファ"));
    QTest::keyClick(help.KeywordField(), Qt::Key_Return);
    QCOMPARE(help.CurrentTopic(), QString("files"));
    help.Context(12345);  // an unknown context opens the first topic
    QCOMPARE(help.CurrentTopic(), QString("contents"));
}

void DialogsTest::HelpCommandsAndContextHelpReachTheViewer() {
    WindowFixture f;
    Tmain w(f.Make());
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.menuHCClick();
    w.menuHKClick();
    w.Button(0)->setFocus();
    QTest::keyClick(w.Button(0), Qt::Key_F1);
    w.Button(1)->setFocus();
    QTest::keyClick(w.Button(1), Qt::Key_F1);  // no help context on other cells
    QCOMPARE(f.help.calls, (QStringList{"contents", "keywords", "context 35000"}));

    f.dialogs.player = [](QDialog& dialog) {
        auto& options = static_cast<Toptions&>(dialog);
        options.show();
        QApplication::setActiveWindow(&options);
        options.rgFrame->button(1)->setFocus();
        QTest::keyClick(options.rgFrame->button(1), Qt::Key_F1);
        options.hide();
        return false;
    };
    w.menuVOClick();
    QCOMPARE(f.help.calls.last(), QString("context 35000"));
    f.dialogs.player = nullptr;
    w.menuHVClick();
    QCOMPARE(f.dialogs.modals.last(), QString("Tversion"));
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

    WindowFixture f;
    Tmain w(f.Make());
    for (const int n : {0, 1}) w.ButtonClick(n);
    w.ImageClick(0);
    QCOMPARE(f.sound.played, std::vector<std::string>(3, f.dir.File(kSoundFile)));
}

}  // namespace tilvaren

QTEST_MAIN(tilvaren::DialogsTest)
#include "DialogsTest.moc"
