#include "app/Tmain.hpp"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QLayout>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <algorithm>

#include "app/ProgramDir.hpp"
#include "app/QtServices.hpp"
#include "board/DrawBoard.hpp"
#include "board/MoveFlow.hpp"
#include "pieces/Transforms.hpp"
#include "records/FileNames.hpp"
#include "records/SavedGame.hpp"
#include "records/SolutionRegister.hpp"
#include "ui/Geometry.hpp"
#include "ui/WindowFont.hpp"

namespace tilvaren {

namespace {

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

// What the player is told when the settings file could not be written.
QString SettingsNotSaved(const FileResult& result) {
    return QString::fromUtf8("設定ファイルを保存できませんでした。\n") + FromUtf8(result.reason);
}

QString TwoDigits(int n) { return QString("%1").arg(n, 2, 10, QChar('0')); }

constexpr int kCellHelpContext = 35000;

}  // namespace

Tmain::Tmain(const Services& services, QWidget* parent) : QMainWindow(parent), services_(services), board_(*this) {
    setObjectName("Tmain");
    setWindowTitle(kAppTitle);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(WindowFont());
    CreateControls();
    ConnectCommands();
    FormCreate();
    // The dialogs come after the window, created once and reused.
    options_ = new Toptions(this);
    connect(options_, &Toptions::contextHelpRequested, this, [this](int context) { help_->Context(context); });
    if (services_.opener == nullptr) {
        ownOpener_ = std::make_unique<DesktopOpener>();
        services_.opener = ownOpener_.get();
    }
    help_ = services_.help;
    if (help_ == nullptr) {
        ownHelp_ = std::make_unique<HelpWindow>(
            [dir = services_.programDir] { return FindDataFile(dir, kHelpFile); }, *services_.dialogs);
        help_ = ownHelp_.get();
    }
    about_ = new Tversion(AboutInfoForBuild(), *services_.opener, *help_, this);
}

void Tmain::CreateControls() {
    menu_ = new MainMenu(menuBar(), this);
    status_ = new StatusPanels(this);
    setStatusBar(status_);

    bevel_ = new QFrame(this);
    bevel_->setObjectName("Bevel");
    bevel_->setFrameStyle(QFrame::Box | QFrame::Sunken);
    setCentralWidget(bevel_);
    image1_ = new BackgroundImage(bevel_);
    image1_->setObjectName("Image1");

    // Created in the arrangement of the default frame and size (6 x 10, 24).
    const auto initialPlace = [](int n) {
        constexpr int kSize = 24;
        return QRect(CellOffset(n % 10, kSize), CellOffset(n / 10, kSize), kSize, kSize);
    };
    for (int n = 0; n < kCellCount; ++n) {
        auto* image = new CellImage(bevel_);
        image->setObjectName("Image" + TwoDigits(n));
        image->setGeometry(initialPlace(n));
        images_[static_cast<std::size_t>(n)] = image;
    }
    for (int n = 0; n < kCellCount; ++n) {
        auto* button = new QPushButton(bevel_);
        button->setObjectName("Button" + TwoDigits(n));
        button->setGeometry(initialPlace(n));
        buttons_[static_cast<std::size_t>(n)] = button;
        tabOrder_.push_back(n);
        if (n > 0) setTabOrder(buttons_[static_cast<std::size_t>(n - 1)], button);
    }
    // The window takes exactly the size its bars and board area ask for.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Tmain::ConnectCommands() {
    for (int n = 0; n < kCellCount; ++n) {
        connect(buttons_[static_cast<std::size_t>(n)], &QPushButton::clicked, this, [this, n] { ButtonClick(n); });
        connect(images_[static_cast<std::size_t>(n)], &CellImage::clicked, this, [this, n] { ImageClick(n); });
    }
    connect(image1_, &BackgroundImage::doubleClicked, this, &Tmain::FormDblClick);
    const auto on = [this](const char* name, auto slot) {
        connect(menu_->Item(name), &QAction::triggered, this, slot);
    };
    on("menuFX", [this] { menuFXClick(); });
    on("menuET", [this] { menuETClick(); });
    on("menuEM", [this] { menuEMClick(); });
    on("menuEU", [this] { menuEUClick(); });
    on("menuER", [this] { menuERClick(); });
    on("menuVN", [this] { menuVNClick(); });
    on("menuVB", [this] { menuVBClick(); });
    on("menuVF", [this] { SizeCommand(32); });
    on("menuVD", [this] { SizeCommand(24); });
    on("menuVS", [this] { SizeCommand(18); });
    on("menuVF6", [this] { FrameCommand(6); });
    on("menuVF5", [this] { FrameCommand(5); });
    on("menuVF4", [this] { FrameCommand(4); });
    on("menuVF3", [this] { FrameCommand(3); });
    on("menuVO", [this] { menuVOClick(); });
    on("menuHC", [this] { menuHCClick(); });
    on("menuHK", [this] { menuHKClick(); });
    on("menuHV", [this] { menuHVClick(); });
    // F1 on the first cell opens the topic on playing.
    auto* f1 = new QShortcut(QKeySequence::HelpContents, Button(0), nullptr, nullptr, Qt::WidgetShortcut);
    connect(f1, &QShortcut::activated, this, [this] { help_->Context(kCellHelpContext); });
}

void Tmain::FormCreate() {
    startupMessages_ = services_.notices;
    // This is the only copy on these files, so no save is under way.
    RemoveInterruptedSaves(services_.programDir);
    const LoadedSettings loaded = LoadSettings(services_.programDir);
    settings_ = loaded.settings;
    // A settings file that exists but cannot be read is told once, here; it is
    // never overwritten, so no later save of the settings is attempted.
    settingsUnreadable_ = !loaded.status;
    if (settingsUnreadable_) {
        startupMessages_ << QString::fromUtf8("設定ファイルを読み込めませんでした。既定の設定で始めます。\n") +
                                FromUtf8(loaded.status.reason);
    }
    board_.FrameY = settings_.FrameY;
    MenuUItemSet();
    board_.SetFrameGeometry();
    board_.ResetBoard();

    const SavedGameReadResult saved = SavedGameRead(board_, *this, services_.programDir);
    if (saved.outcome == SavedGameReadResult::Outcome::Rejected) {
        startupMessages_ << FromUtf8(SavedGameRejectedMessage(saved));
    }
    board_.SetFrameGeometry();
    settings_.FrameY = board_.FrameY;
    if (const FileResult result = SaveSettingsIfReadable(); !result) startupMessages_ << SettingsNotSaved(result);
    board_.BuildOrientationOffsets();
    SizeCells();
    LayoutWindow();
    SolutionFileEnsure(services_.programDir);  // a failure shows at the first append
    DrawBoard();
    StatusBar00Set();
    StatusBarPiecesSet();
    MenuFrameSet();
    MenuSizeSet();
    MenuEditSet();
}

void Tmain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    if (const QScreen* screen = this->screen()) {
        layout()->activate();  // the window's final size, before it is placed
        const QRect available = screen->availableGeometry();
        move(available.x() + (available.width() - frameGeometry().width()) / 2,
             available.y() + (available.height() - frameGeometry().height()) / 2);
    }
    if (!startupMessages_.isEmpty()) QTimer::singleShot(0, this, &Tmain::ShowStartupMessages);
}

void Tmain::ShowStartupMessages() {
    const QStringList messages = std::exchange(startupMessages_, {});
    for (const QString& message : messages) services_.dialogs->Message(message);
}

void Tmain::closeEvent(QCloseEvent* event) {
    settings_.FrameY = board_.FrameY;
    const FileResult settingsSaved = SaveSettingsIfReadable();
    const FileResult gameSaved = SavedGameWrite(board_, services_.programDir, *services_.clock);
    if (gameSaved) {
        // The game is safe; settings that could not be saved are only told.
        if (!settingsSaved) services_.dialogs->Message(SettingsNotSaved(settingsSaved));
        event->accept();
        return;
    }
    QString question = settingsSaved ? QString::fromUtf8("ゲームを保存できませんでした。\n")
                                     : QString::fromUtf8("ゲームと設定を保存できませんでした。\n");
    question += FromUtf8(gameSaved.reason);
    if (!settingsSaved) question += '\n' + FromUtf8(settingsSaved.reason);
    question += QString::fromUtf8("\n\n保存せずに終了しますか？");
    if (services_.dialogs->Ask(question)) {
        event->accept();
    } else {
        event->ignore();
    }
}

FileResult Tmain::SaveSettingsIfReadable() {
    if (settingsUnreadable_) return FileResult::Success();
    return SaveSettings(settings_, services_.programDir);
}

// --- clicks -------------------------------------------------------------

void Tmain::ButtonClick(int n) { SelectCell(board_, *this, n); }

void Tmain::ImageClick(int n) { TakeBackCell(board_, *this, n); }

// --- menu commands ------------------------------------------------------

void Tmain::menuFXClick() { close(); }

void Tmain::menuETClick() {
    TurnBoard(board_);
    TurnPieceFlags(board_);
    board_.FillDrawnBsts(kWall);
    DrawBoard();
}

void Tmain::menuEMClick() {
    MirrorBoard(board_);
    MirrorPieceFlags(board_);
    board_.FillDrawnBsts(kWall);
    DrawBoard();
}

void Tmain::menuEUClick() {
    CorrectU(board_);
    board_.FillDrawnBsts(kWall);
    DrawBoard();
}

void Tmain::menuERClick() {
    board_.ResetBoard();
    DrawBoard();
    MenuFrameSet();
    MenuEditSet();
    StatusBarPiecesSet();
}

void Tmain::menuVNClick() {
    settings_.MenuBarOn = !settings_.MenuBarOn;
    LayoutWindow();
}

void Tmain::menuVBClick() {
    settings_.StatusBarOn = !settings_.StatusBarOn;
    LayoutWindow();
}

void Tmain::menuVOClick() {
    Settings current = settings_;
    current.FrameY = board_.FrameY;
    options_->FormShow(current, board_.GameStarted);
    if (!services_.dialogs->RunModal(*options_)) return;
    HideCells();
    ApplyDialogValues();
    if (settingsUnreadable_) {
        services_.dialogs->Message(QString::fromUtf8(
            "設定ファイルを読み込めなかったため、この設定は保存されません。今回の終了までは有効です。"));
    } else if (const FileResult result = SaveSettings(settings_, services_.programDir); !result) {
        services_.dialogs->Message(SettingsNotSaved(result));
    }
    board_.SetFrameGeometry();
    SizeCells();
    LayoutWindow();
    if (board_.GameStarted) {
        board_.FillDrawnBsts(kWall);
    } else {
        board_.ResetBoard();
    }
    board_.BuildOrientationOffsets();
    DrawBoard();
    MenuFrameSet();
    MenuSizeSet();
    MenuEditSet();
    StatusBar00Set();
    StatusBarPiecesSet();
}

void Tmain::ApplyDialogValues() {
    const PendingSettings& pending = options_->Pending();
    board_.FrameX = pending.FrameX;
    board_.FrameY = pending.FrameY;
    board_.GridStride = pending.GridStride;
    settings_.FrameY = pending.FrameY;
    settings_.FrameSize = pending.FrameSize;
    settings_.MenuBarOn = pending.MenuBarOn;
    settings_.StatusBarOn = pending.StatusBarOn;
}

void Tmain::menuHCClick() { help_->Contents(); }

void Tmain::menuHKClick() { help_->KeywordSearch(); }

void Tmain::menuHVClick() { services_.dialogs->RunModal(*about_); }

void Tmain::FormDblClick() {
    const bool both = settings_.MenuBarOn && settings_.StatusBarOn;
    settings_.MenuBarOn = !both;
    settings_.StatusBarOn = !both;
    LayoutWindow();
}

void Tmain::SizeCommand(int frameSize) {
    if (settings_.FrameSize == frameSize) return;
    settings_.FrameSize = frameSize;
    HideCells();
    SizeCells();
    LayoutWindow();
    board_.FillDrawnBsts(kWall);
    DrawBoard();
    MenuSizeSet();
}

void Tmain::FrameCommand(int frameY) {
    // The frame is locked while a game is under way, shortcuts included.
    if (!menu_->Menu("menuVFF")->menuAction()->isEnabled()) return;
    if (board_.FrameY == frameY) return;
    HideCells();
    board_.FrameY = frameY;
    settings_.FrameY = frameY;
    board_.SetFrameGeometry();
    LayoutWindow();
    board_.ResetBoard();
    board_.BuildOrientationOffsets();
    DrawBoard();
    MenuFrameSet();
    MenuUCaptionSet();
    MenuUItemSet();
    StatusBar00Set();
}

// --- layout -------------------------------------------------------------

void Tmain::HideCells() {
    for (int n = 0; n < kCellCount; ++n) {
        if (!Button(n)->isHidden()) {
            Button(n)->hide();
        } else {
            Image(n)->hide();
        }
    }
}

void Tmain::SizeCells() {
    if (Button(0)->height() == settings_.FrameSize) return;
    const int s = settings_.FrameSize;
    for (int n = 0; n < kCellCount; ++n) Button(n)->resize(s, s);
    for (int n = 0; n < kCellCount; ++n) Image(n)->resize(s, s);
}

void Tmain::LayoutWindow() {
    menuBar()->setVisible(settings_.MenuBarOn);
    status_->setVisible(settings_.StatusBarOn);
    const int s = settings_.FrameSize;
    const BoardGeometry g = BoardGeometryFor(board_.FrameX, board_.FrameY, s);
    bevel_->setFixedSize(g.areaWidth, g.areaHeight);
    image1_->setGeometry(0, 0, g.areaWidth, g.areaHeight);

    // The cells already stand where this frame and size put them.
    if (Button(59)->y() == CellOffset(board_.FrameY - 1, s) &&
        Button(59)->x() == CellOffset(board_.FrameX - 1, s) + g.centringShift) {
        return;
    }
    for (int n = 0; n < kCellCount; ++n) {
        Button(n)->move(CellOffset(n % board_.FrameX, s) + g.centringShift, CellOffset(n / board_.FrameX, s));
    }
    for (int n = 0; n < kCellCount; ++n) {
        Image(n)->move(CellOffset(n % board_.FrameX, s) + g.centringShift, CellOffset(n / board_.FrameX, s));
    }
}

void Tmain::DrawBoard() { tilvaren::DrawBoard(board_, *this); }

void Tmain::ApplyCell(int n, const CellTarget& target) {
    Button(n)->setVisible(target.buttonVisible);
    Image(n)->setVisible(target.imageVisible);
    Image(n)->setEnabled(target.imageEnabled);
    Image(n)->SetPicture(tiles_.TileByCode(target.tileCode, settings_.FrameSize));
}

// --- status bar and menus -----------------------------------------------

void Tmain::StatusBar00Set() {
    const std::string text = FrameText(board_.FrameY);
    if (text.empty()) {
        InternalError("例外発生 手続きStatusBar00Set FrameY=" + std::to_string(board_.FrameY));
        status_->SetFramePanel("      ");
        return;
    }
    status_->SetFramePanel(FromUtf8(text));
}

void Tmain::StatusBarPiecesSet() {
    for (int i = 0; i < kPieceCount; ++i) {
        status_->StatusBarPanelSet(static_cast<unsigned>(i), FromUtf8(PiecePanelText(board_, i)));
    }
}

void Tmain::MenuFrameSet() {
    QAction* submenu = menu_->Menu("menuVFF")->menuAction();
    if (board_.GameStarted) {
        submenu->setEnabled(false);
        return;
    }
    submenu->setEnabled(true);
    for (const int frameY : {6, 5, 4, 3}) {
        const bool current = frameY == board_.FrameY || (frameY == 6 && (board_.FrameY < 3 || board_.FrameY > 6));
        menu_->Item("menuVF" + QString::number(frameY))->setEnabled(!current);
    }
}

void Tmain::MenuSizeSet() {
    // The item of the size in use is the disabled one.
    const int size = SizeClassOf(settings_.FrameSize);
    menu_->Item("menuVS")->setEnabled(size != 18);
    menu_->Item("menuVD")->setEnabled(size != 24);
    menu_->Item("menuVF")->setEnabled(size != 32);
}

void Tmain::MenuEditSet() {
    menu_->Item("menuET")->setEnabled(board_.GameStarted);
    menu_->Item("menuEM")->setEnabled(board_.GameStarted);
    if (!board_.GameStarted) {
        menu_->Item("menuEU")->setEnabled(false);
    } else {
        MenuUItemSet();
    }
}

void Tmain::MenuUItemSet() {
    QAction* item = menu_->Item("menuEU");
    if (board_.FrameY == 6) {
        item->setEnabled(board_.GameStarted);
    } else if (board_.FrameY >= 3 && board_.FrameY <= 5) {
        item->setEnabled(false);
    }
}

void Tmain::MenuUCaptionSet() {
    menu_->Item("menuEU")->setText(board_.FrameY == 6 ? kUCaptionSixByTen : kUCaptionOtherFrames);
}

// --- the rest of the click flow -----------------------------------------

void Tmain::PlayClickSound() {
    if (services_.sound == nullptr) return;
    // The player's own sound beside the game first, then the installed one.
    const std::string found = FindDataFile(services_.programDir, kSoundFile);
    services_.sound->Play(found.empty() ? services_.programDir + kSoundFile : found);
}

void Tmain::SetTabToBestCell(int n) {
    const auto found = std::find(tabOrder_.begin(), tabOrder_.end(), n);
    if (found == tabOrder_.end() || found == tabOrder_.begin()) return;
    std::rotate(tabOrder_.begin(), found, found + 1);
    // Chain the others after the chosen one, which stays where it was; every
    // other button now follows it, so it is the first that can take focus.
    for (std::size_t i = 1; i < tabOrder_.size(); ++i) {
        QWidget::setTabOrder(Button(tabOrder_[i - 1]), Button(tabOrder_[i]));
    }
}

void Tmain::ShowCongratulations() { services_.dialogs->Message(QStringLiteral("Congratulations!")); }

void Tmain::SolutionAppend() {
    const FileResult result = tilvaren::SolutionAppend(board_, services_.programDir, *services_.clock);
    if (!result) {
        services_.dialogs->Message(QString::fromUtf8("解答を \"") + kSolutionFile +
                                   QString::fromUtf8("\" に記録できませんでした。\n") + FromUtf8(result.reason));
    }
}

void Tmain::InternalError(const std::string& text) { services_.dialogs->Message(FromUtf8(text)); }

}  // namespace tilvaren
