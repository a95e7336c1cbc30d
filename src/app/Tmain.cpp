#include "app/Tmain.hpp"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QVBoxLayout>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <algorithm>

#include "app/AwayThenBack.hpp"
#include "app/ProgramDir.hpp"
#include "app/QtServices.hpp"
#include "records/FileNames.hpp"
#include "session/StatusTexts.hpp"
#include "ui/WindowFont.hpp"

namespace tilvaren {

namespace {

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

QString TwoDigits(int n) { return QString("%1").arg(n, 2, 10, QChar('0')); }

QRect PlaceRect(const CellPlace& place, int size) { return QRect(place.x, place.y, size, size); }

constexpr int kCellHelpContext = 35000;

}  // namespace

Tmain::Tmain(const Services& services, QWidget* parent) : QMainWindow(parent), services_(services) {
    setObjectName("Tmain");
    setWindowTitle(kAppTitle);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(WindowFont());
    CreateControls();
    View& view = *this;
    ErrorSink& errors = *this;
    session_ = std::make_unique<Session>(view, errors, *services_.clock, services_.programDir);
    for (const QString& notice : services_.notices) session_->AddStartupMessage(notice.toStdString());
    ConnectCommands();
    session_->Start();
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

Tmain::~Tmain() = default;

void Tmain::CreateControls() {
    menu_ = new MainMenu(menuBar(), this);
    status_ = new StatusPanels(this);
    setStatusBar(status_);

    // The board area, and under it the piece support strip while it is on.
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    bevel_ = new QFrame(central);
    bevel_->setObjectName("Bevel");
    bevel_->setFrameStyle(QFrame::Box | QFrame::Sunken);
    column->addWidget(bevel_);
    strip_ = new PieceStrip(central);
    strip_->hide();
    column->addWidget(strip_);
    setCentralWidget(central);
    image1_ = new BackgroundImage(bevel_);
    image1_->setObjectName("Image1");

    // Created in the arrangement of the default frame and size.
    const CellPlaces places = CellPlacesFor(kDefaultFrameY, cellSize_);
    for (int n = 0; n < kCellCount; ++n) {
        auto* image = new CellImage(bevel_);
        image->setObjectName("Image" + TwoDigits(n));
        image->setGeometry(PlaceRect(places[static_cast<std::size_t>(n)], cellSize_));
        images_[static_cast<std::size_t>(n)] = image;
    }
    for (int n = 0; n < kCellCount; ++n) {
        auto* button = new QPushButton(bevel_);
        button->setObjectName("Button" + TwoDigits(n));
        button->setGeometry(PlaceRect(places[static_cast<std::size_t>(n)], cellSize_));
        buttons_[static_cast<std::size_t>(n)] = button;
        tabOrder_.push_back(n);
        if (n > 0) setTabOrder(buttons_[static_cast<std::size_t>(n - 1)], button);
    }
    keys_ = new CellKeyboard(
        bevel_, {[this](int n) { return Control(n); },
                 [this](int n) {
                     if (!Button(n)->isHidden()) {
                         Button(n)->click();
                     } else {
                         Image(n)->Activate();
                     }
                 },
                 [this] { return session_->GameBoard().FrameX; }, [this] { return tabOrder_.front(); }});
    for (int n = 0; n < kCellCount; ++n) keys_->Watch(n, Button(n), Image(n));
    keys_->WatchWindow(this);
    // The window takes exactly the size its bars and board area ask for.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Tmain::ConnectCommands() {
    Session& s = *session_;
    for (int n = 0; n < kCellCount; ++n) {
        connect(Button(n), &QPushButton::clicked, this, [&s, n] { s.ButtonClick(n); });
        connect(Image(n), &CellImage::clicked, this, [&s, n] { s.ImageClick(n); });
    }
    connect(image1_, &BackgroundImage::doubleClicked, this, [&s] { s.FormDblClick(); });
    const auto on = [this](const char* name, auto slot) {
        connect(menu_->Item(name), &QAction::triggered, this, slot);
    };
    on("menuFX", [this] { close(); });
    on("N6", [&s] { s.N6Click(); });
    on("N8", [&s] { s.N8Click(); });
    on("N7", [&s] { s.N7Click(); });
    on("N10", [&s] { s.N10Click(); });
    on("menuET", [&s] { s.menuETClick(); });
    on("menuEM", [&s] { s.menuEMClick(); });
    on("menuEU", [&s] { s.menuEUClick(); });
    on("menuER", [&s] { s.menuERClick(); });
    on("menuEC", [&s] { s.menuECClick(); });
    on("menuVN", [&s] { s.menuVNClick(); });
    on("menuVB", [&s] { s.menuVBClick(); });
    on("menuVP", [&s] { s.menuVPClick(); });
    on("menuVF", [&s] { s.SizeCommand(32); });
    on("menuVD", [&s] { s.SizeCommand(24); });
    on("menuVS", [&s] { s.SizeCommand(18); });
    on("menuVF6", [&s] { s.FrameCommand(6); });
    on("menuVF5", [&s] { s.FrameCommand(5); });
    on("menuVF4", [&s] { s.FrameCommand(4); });
    on("menuVF3", [&s] { s.FrameCommand(3); });
    on("menuVO", [&s] { s.menuVOClick(); });
    on("menuHC", [this] { help_->Contents(); });
    on("menuHK", [this] { help_->KeywordSearch(); });
    on("menuHV", [this] { services_.dialogs->RunModal(*about_); });
    // F1 on the first cell opens the topic on playing.
    auto* f1 = new QShortcut(QKeySequence::HelpContents, Button(0), nullptr, nullptr, Qt::WidgetShortcut);
    connect(f1, &QShortcut::activated, this, [this] { help_->Context(kCellHelpContext); });
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
    QTimer::singleShot(0, this, &Tmain::ShowStartupMessages);
}

void Tmain::ShowStartupMessages() {
    for (const std::string& message : session_->TakeStartupMessages()) Tell(message);
}

void Tmain::closeEvent(QCloseEvent* event) { event->setAccepted(session_->Close()); }

// --- View -------------------------------------------------------------------

QWidget* Tmain::Control(int n) const {
    if (!Button(n)->isHidden()) return Button(n);
    return Image(n);
}

void Tmain::ApplyCell(int n, const CellTarget& target) {
    const bool keepFocus = keys_->HoldsCell(n);
    Button(n)->setVisible(target.buttonVisible);
    Image(n)->setVisible(target.imageVisible);
    Image(n)->SetClickable(target.imageEnabled);
    Image(n)->SetPicture(tiles_.TileByCode(target.tileCode, cellSize_));
    const QString name = FromUtf8(CellName(session_->GameBoard(), n));
    Button(n)->setAccessibleName(name);
    Image(n)->setAccessibleName(name);
    if (keepFocus) keys_->FocusCell(n);
}

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

void Tmain::Tell(const std::string& text) { services_.dialogs->Message(FromUtf8(text)); }

bool Tmain::Ask(const std::string& text) { return services_.dialogs->Ask(FromUtf8(text)); }

void Tmain::TellWhenDone(std::function<std::string()> work) {
    AwayThenBack<std::string>(this, std::move(work), [this](const std::string& text) { Tell(text); });
}

void Tmain::EnableMenuItem(const std::string& name, bool enabled) {
    const QString item = QString::fromStdString(name);
    if (QMenu* submenu = menu_->Menu(item)) {
        submenu->menuAction()->setEnabled(enabled);
    } else if (QAction* action = menu_->Item(item)) {
        action->setEnabled(enabled);
    }
}

void Tmain::SetUCaption(bool sixByTen) {
    menu_->Item("menuEU")->setText(sixByTen ? kUCaptionSixByTen : kUCaptionOtherFrames);
}

void Tmain::SetStatusPanel(int panel, const std::string& text) {
    status_->SetPanelName(panel, FromUtf8(PanelName(panel, text)));
    if (panel == 0) {
        status_->SetFramePanel(FromUtf8(text));
    } else {
        status_->StatusBarPanelSet(static_cast<unsigned>(panel - 1), FromUtf8(text));
    }
}

void Tmain::ShowPieceSupport(const SupportPicture& picture, std::function<SupportLine()> count) {
    strip_->SetPicture(picture);
    const unsigned mine = ++*supportCount_;
    AwayThenBack<std::optional<SupportLine>>(
        this,
        [latest = supportCount_, mine, count = std::move(count)]() -> std::optional<SupportLine> {
            if (latest->load() != mine) return std::nullopt;  // a newer change came before this count started
            return count();
        },
        [this, mine](const std::optional<SupportLine>& line) {
            if (line && supportCount_->load() == mine) strip_->SetLine(*line);
        });
}

void Tmain::HideCells() {
    for (int n = 0; n < kCellCount; ++n) {
        if (!Button(n)->isHidden()) {
            Button(n)->hide();
        } else {
            Image(n)->hide();
        }
    }
}

void Tmain::SizeCells(int frameSize) {
    cellSize_ = frameSize;
    for (int n = 0; n < kCellCount; ++n) Button(n)->resize(frameSize, frameSize);
    for (int n = 0; n < kCellCount; ++n) Image(n)->resize(frameSize, frameSize);
}

void Tmain::LayoutWindow(const WindowLayout& layout) {
    menuBar()->setVisible(layout.menuBarOn);
    status_->setVisible(layout.statusBarOn);
    bevel_->setFixedSize(layout.areaWidth, layout.areaHeight);
    if (layout.pieceSupportOn) {
        strip_->Arrange(layout.areaWidth, cellSize_);
    } else {
        ++*supportCount_;  // a count under way is no longer wanted
    }
    strip_->setVisible(layout.pieceSupportOn);
    image1_->setGeometry(0, 0, layout.areaWidth, layout.areaHeight);
    if (!layout.moveCells) return;
    for (int n = 0; n < kCellCount; ++n) {
        Button(n)->move(layout.cells[static_cast<std::size_t>(n)].x, layout.cells[static_cast<std::size_t>(n)].y);
    }
    for (int n = 0; n < kCellCount; ++n) {
        Image(n)->move(layout.cells[static_cast<std::size_t>(n)].x, layout.cells[static_cast<std::size_t>(n)].y);
    }
}

std::optional<PendingSettings> Tmain::RunOptions(const Settings& current, bool gameStarted) {
    options_->FormShow(current, gameStarted);
    if (!services_.dialogs->RunModal(*options_)) return std::nullopt;
    return options_->Pending();
}

void Tmain::InternalError(const std::string& text) { Tell(text); }

}  // namespace tilvaren
