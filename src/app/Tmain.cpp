#include "app/Tmain.hpp"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QLayout>
#include <QVBoxLayout>
#include <QShortcut>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "app/AwayThenBack.hpp"
#include "app/Language.hpp"
#include "app/ProgramDir.hpp"
#include "app/QtServices.hpp"
#include "app/WindowFrame.hpp"
#include "records/FileNames.hpp"
#include "session/StatusTexts.hpp"
#include "ui/Accessibility.hpp"
#include "ui/ChallengeDialog.hpp"
#include "ui/WindowFont.hpp"
#include "ui/Wording.hpp"

namespace tilvaren {

namespace {

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

QString TwoDigits(int n) { return QString("%1").arg(n, 2, 10, QChar('0')); }

QRect PlaceRect(const CellPlace& place, int size) { return QRect(place.x, place.y, size, size); }

constexpr int kCellHelpContext = 35000;
constexpr int kCollectionHelpContext = 35400;

}  // namespace

Tmain::Tmain(const Services& services, QWidget* parent) : QMainWindow(parent), services_(services) {
    // The player's own sound beside the game first, then the installed one.
    soundFile_ = FindDataFile(services_.programDir, kSoundFile);
    if (soundFile_.empty()) soundFile_ = services_.programDir + kSoundFile;
    setObjectName("Tmain");
    setWindowTitle(kAppTitle);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(WindowFont());
    CreateControls();
    View& view = *this;
    ErrorSink& errors = *this;
    session_ = std::make_unique<Session>(view, errors, *services_.clock, services_.programDir);
    session_->SetFallbackFolder(services_.fallbackDir);
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
            [dir = services_.programDir] { return HelpFileFor(dir, LanguageInUse()); }, *services_.dialogs);
        help_ = ownHelp_.get();
    }
    if (services_.windowSystem == nullptr) services_.windowSystem = &RunningWindowSystem();
    about_ = new Tversion(AboutInfoForBuild(), *services_.opener, *help_, this, services_.windowSystem);
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
    ExposeShownChildrenOnly(bevel_);
    column->addWidget(bevel_);
    hintLine_ = new WordsLine(central);
    hintLine_->setObjectName("HintLine");
    hintLine_->hide();
    column->addWidget(hintLine_);
    strip_ = new PieceStrip(central);
    strip_->hide();
    column->addWidget(strip_);
    ExposeShownChildrenOnly(central);  // the strip only while it is on
    setCentralWidget(central);
    image1_ = new BackgroundImage(bevel_);
    image1_->setObjectName("Image1");

    // Created in the arrangement of the default frame and size.
    const CellPlaces places = CellPlacesFor(kDefaultFrameY, kDefaultCellSize);
    for (int n = 0; n < kCellCount; ++n) {
        auto* image = new CellImage(bevel_);
        image->setObjectName("Image" + TwoDigits(n));
        image->setGeometry(PlaceRect(places[static_cast<std::size_t>(n)], kDefaultCellSize));
        images_[static_cast<std::size_t>(n)] = image;
    }
    for (int n = 0; n < kCellCount; ++n) {
        auto* button = new QPushButton(bevel_);
        button->setObjectName("Button" + TwoDigits(n));
        button->setGeometry(PlaceRect(places[static_cast<std::size_t>(n)], kDefaultCellSize));
        buttons_[static_cast<std::size_t>(n)] = button;
        tabOrder_.push_back(n);
        if (n > 0) setTabOrder(buttons_[static_cast<std::size_t>(n - 1)], button);
    }
    marks_ = new HintMarks(bevel_);  // created last, so above every cell
    keys_ = new CellKeyboard(
        bevel_, {[this](int n) { return Control(n); },
                 [this](int n) {
                     if (!Button(n)->isHidden()) {
                         Button(n)->click();
                     } else {
                         Image(n)->Activate();
                     }
                 },
                 [this] { return rowLength_; }, [this] { return tabOrder_.front(); },
                 [this] {
                     std::vector<int> empty;
                     for (const int n : tabOrder_) {
                         if (!Button(n)->isHidden()) empty.push_back(n);
                     }
                     return empty;
                 }});
    for (int n = 0; n < kCellCount; ++n) keys_->Watch(n, Button(n), Image(n));
    keys_->WatchWindow(this);
    // The window takes exactly the size its bars and board area ask for.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    Retranslate();
}

void Tmain::Retranslate() {
    menu_->Retranslate();
    if (uCaptionSixByTen_) SetUCaption(*uCaptionSixByTen_);
    bevel_->setAccessibleName(tr("盤"));
    for (int n = 0; n < kCellCount; ++n) {
        const QString name = Words(cellLabels_[static_cast<std::size_t>(n)]);
        Button(n)->setAccessibleName(name);
        Image(n)->setAccessibleName(name);
    }
    if (!framePanel_.empty()) status_->SetPanelName(0, FramePanelWords(framePanel_));
    for (int piece = 0; piece < kPieceCount; ++piece) {
        status_->SetPanelName(piece + 1, PiecePanelWords(piece, pieceLooks_[static_cast<std::size_t>(piece)]));
    }
    // The hint reworded where it stands, not heard again.
    for (const int n : markedCells_) {
        Button(n)->setAccessibleDescription(tr("ヒント"));
        Image(n)->setAccessibleDescription(tr("ヒント"));
    }
    const QString words = Words(hint_);
    strip_->SetHint(words, hint_.kind == Hint::Kind::None ? -1 : hint_.piece);
    hintLine_->SetWords(words);
    for (const auto& [frameY, line] : challengeLines_) ShowChallengeLine(frameY, ChallengeLine(line));
}

void Tmain::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) Retranslate();
    QMainWindow::changeEvent(event);
}

void Tmain::ConnectCommands() {
    Session& s = *session_;
    for (int n = 0; n < kCellCount; ++n) {
        connect(Button(n), &QPushButton::clicked, this, [this, &s, n] {
            clicking_ = n;
            s.ButtonClick(n);
            clicking_ = -1;
        });
        connect(Image(n), &CellImage::clicked, this, [&s, n] { s.ImageClick(n); });
    }
    connect(image1_, &BackgroundImage::doubleClicked, this, [&s] { s.ToggleBothBars(); });
    const auto on = [this](const char* name, auto slot) {
        connect(menu_->Item(name), &QAction::triggered, this, slot);
    };
    on("menuFX", [this] { close(); });
    for (const Command& command : Session::Commands()) {
        on(command.item.c_str(), [&s, &command] { command.run(s, command.value); });
    }
    on("menuHC", [this] { help_->Contents(); });
    on("menuHK", [this] { help_->KeywordSearch(); });
    on("menuHV", [this] { services_.dialogs->RunModal(*about_); });
    // F1 on any cell, a button or an image, opens the topic on playing.
    auto* f1 = new QShortcut(QKeySequence::HelpContents, bevel_, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(f1, &QShortcut::activated, this, [this] { help_->Context(kCellHelpContext); });
}

void Tmain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    KeepExactSize(*this);
    CentreOnScreen(*this, *services_.windowSystem);
    QTimer::singleShot(0, this, &Tmain::ShowStartupMessages);
}

void Tmain::ShowStartupMessages() {
    for (const QString& notice : std::exchange(services_.notices, {})) services_.dialogs->Message(notice);
    for (const Notice& notice : session_->TakeStartupMessages()) Tell(notice);
}

void Tmain::closeEvent(QCloseEvent* event) {
    if (collection_ != nullptr && collection_->isVisible()) {
        session_->KeepCollectionPlace(PlaceOf(*collection_, *services_.windowSystem));
    }
    event->setAccepted(session_->Close());
}

// --- View -------------------------------------------------------------------

QWidget* Tmain::Control(int n) const {
    if (!Button(n)->isHidden()) return Button(n);
    return Image(n);
}

void Tmain::ApplyCell(int n, const CellTarget& target) {
    const bool keepFocus = keys_->HoldsCell(n);
    Image(n)->SetClickable(target.imageEnabled);
    Image(n)->SetPicture(tiles_.TileByCode(target.tileCode, Image(n)->width()));
    cellLabels_[static_cast<std::size_t>(n)] = target.label;
    const QString name = Words(target.label);
    Button(n)->setAccessibleName(name);
    Image(n)->setAccessibleName(name);
    if (keepFocus) {
        // The control that shows the cell now takes the focus before the
        // other one hides, so the focus moves once, straight to the cell in
        // its new state, and never passes through another cell on the way.
        QWidget* taking = target.buttonVisible ? static_cast<QWidget*>(Button(n))
                                               : (target.imageVisible ? Image(n) : nullptr);
        if (taking != nullptr) {
            taking->show();
            taking->setFocus(Qt::OtherFocusReason);
        }
    }
    Button(n)->setVisible(target.buttonVisible);
    Image(n)->setVisible(target.imageVisible);
    // The cell clicked is heard through its focus; the others the click
    // selects are told.
    Image(n)->SetSelected(target.imageVisible && target.imageEnabled && target.tileCode == 0, n != clicking_);
    if (keepFocus) keys_->FocusCell(n);
}

void Tmain::PlayClickSound() {
    if (services_.sound != nullptr) services_.sound->Play(soundFile_);
}

void Tmain::SetTabToBestCell(int n) {
    tabOrder_.clear();
    if (n >= 0 && n < kCellCount) tabOrder_.push_back(n);
    for (int cell = 0; cell < kCellCount; ++cell) {
        if (cell != n) tabOrder_.push_back(cell);
    }
    // Chain the others after the first, which stays where it was; every
    // other button now follows it, so it is the first that can take focus.
    for (std::size_t i = 1; i < tabOrder_.size(); ++i) {
        QWidget::setTabOrder(Button(tabOrder_[i - 1]), Button(tabOrder_[i]));
    }
}

void Tmain::ShowCongratulations() { services_.dialogs->Message(QStringLiteral("Congratulations!")); }

void Tmain::Tell(const Notice& notice) { services_.dialogs->Message(Words(notice)); }

bool Tmain::Ask(const Notice& notice) { return services_.dialogs->Ask(Words(notice)); }

void Tmain::Tell(const CongruenceAnswer& answer) { services_.dialogs->Message(Words(answer)); }

void Tmain::RunAway(std::function<std::function<void()>()> work) {
    AwayThenBack<std::function<void()>>(this, std::move(work), [](const std::function<void()>& back) { back(); });
}

void Tmain::SetLanguage(Language language) {
    if (!UseLanguage(language)) services_.dialogs->Message(tr("英語の翻訳を読み込めませんでした。日本語で表示します。"));
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
    uCaptionSixByTen_ = sixByTen;
    menu_->Item("menuEU")->setText(menu_->UCaption(sixByTen));
}

void Tmain::SetFramePanel(const std::string& text) {
    framePanel_ = text;
    status_->SetPanelName(0, FramePanelWords(text));
    status_->SetFramePanel(FromUtf8(text));
}

void Tmain::SetPiecePanel(int piece, PieceLook look) {
    if (piece >= 0 && piece < kPieceCount) pieceLooks_[static_cast<std::size_t>(piece)] = look;
    status_->SetPanelName(piece + 1, PiecePanelWords(piece, look));
    status_->StatusBarPanelSet(static_cast<unsigned>(piece), FromUtf8(PiecePanelText(piece, look)));
}

void Tmain::ShowPieceSupport(const SupportPicture& picture) { strip_->SetPicture(picture); }

void Tmain::SetSupportLine(const SupportLine& line) { strip_->SetLine(line); }

void Tmain::MarkHint(const Hint& hint) {
    for (const int n : markedCells_) {
        Button(n)->setAccessibleDescription({});
        Image(n)->setAccessibleDescription({});
    }
    hint_ = hint;
    const bool none = hint.kind == Hint::Kind::None;
    markedCells_ = none ? std::vector<int>{} : hint.cells;
    for (const int n : markedCells_) {
        Button(n)->setAccessibleDescription(tr("ヒント"));
        Image(n)->setAccessibleDescription(tr("ヒント"));
    }
    // The words where they cover nothing: the strip's line, or their own
    // line under the board while the strip is off; heard as they come.
    const QString words = Words(hint);
    strip_->SetHint(words, none ? -1 : hint.piece, stripOn_);
    // Words for a line not yet shown are heard as it shows, once.
    hintLine_->SetWords(words, !stripOn_);
    hintLine_->setVisible(!stripOn_ && !words.isEmpty());
    PlaceHintMarks();
}

void Tmain::PlaceHintMarks() {
    std::vector<QRect> rects;
    for (const int n : markedCells_) {
        if (n >= 0 && n < kCellCount) rects.push_back(Button(n)->geometry());
    }
    marks_->Mark(std::move(rects));
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
    for (int n = 0; n < kCellCount; ++n) Button(n)->resize(frameSize, frameSize);
    for (int n = 0; n < kCellCount; ++n) Image(n)->resize(frameSize, frameSize);
}

void Tmain::LayoutWindow(const WindowLayout& layout) {
    menuBar()->setVisible(layout.menuBarOn);
    status_->setVisible(layout.statusBarOn);
    bevel_->setFixedSize(layout.areaWidth, layout.areaHeight);
    rowLength_ = layout.rowLength;
    if (layout.pieceSupportOn) strip_->Arrange(layout.areaWidth, layout.cellSize);
    strip_->setVisible(layout.pieceSupportOn);
    stripOn_ = layout.pieceSupportOn;
    hintLine_->SetWidth(layout.areaWidth);
    hintLine_->setVisible(!stripOn_ && !hintLine_->text().isEmpty());
    SetToggleItemOn(menu_->Item("menuVP"), layout.pieceSupportOn);
    SetToggleItemOn(menu_->Item("menuVN"), layout.menuBarOn);
    SetToggleItemOn(menu_->Item("menuVB"), layout.statusBarOn);
    image1_->setGeometry(0, 0, layout.areaWidth, layout.areaHeight);
    marks_->setGeometry(0, 0, layout.areaWidth, layout.areaHeight);
    if (layout.moveCells) {
        for (int n = 0; n < kCellCount; ++n) {
            Button(n)->move(layout.cells[static_cast<std::size_t>(n)].x, layout.cells[static_cast<std::size_t>(n)].y);
        }
        for (int n = 0; n < kCellCount; ++n) {
            Image(n)->move(layout.cells[static_cast<std::size_t>(n)].x, layout.cells[static_cast<std::size_t>(n)].y);
        }
    }
    PlaceHintMarks();
}

std::optional<PendingSettings> Tmain::RunOptions(const Settings& current, bool gameStarted) {
    options_->FormShow(current, gameStarted);
    if (!services_.dialogs->RunModal(*options_)) return std::nullopt;
    return options_->Pending();
}

void Tmain::OpenCollection(int frameY, const KeptWindowPlace& kept) {
    if (collection_ == nullptr) {
        Session& s = *session_;
        collection_ = new CollectionWindow(
            {[&s](int page, CollectionOrder order) { s.SortCollection(page, order); },
             [&s](int page, int number) { s.ChooseSolution(page, number); },
             [&s](int page) { s.StartChallenge(page); },
             [this, &s] { s.CloseCollection(PlaceOf(*collection_, *services_.windowSystem)); },
             [this] { help_->Context(kCollectionHelpContext); }},
            this);
    }
    // Placed only as it opens: one already open stays where the player has it.
    if (!collection_->isVisible()) PlaceBeside(*collection_, *this, kept, *services_.windowSystem);
    collection_->ShowOn(frameY);
}

void Tmain::ShowCollection(std::shared_ptr<const Collection> collection) {
    if (collection_ != nullptr) collection_->Show(collection);
}

void Tmain::ShowChosenSolution(int frameY, int number) {
    if (CollectionPageView* page = collection_ != nullptr ? collection_->Page(frameY) : nullptr) page->ShowChosen(number);
}

std::optional<ChallengeLevel> Tmain::AskChallengeLevel() {
    ChallengeDialog dialog(collection_);
    if (!services_.dialogs->RunModal(dialog)) return std::nullopt;
    return dialog.Level();
}

void Tmain::ShowChallengeLine(int frameY, const ChallengeLine& line) {
    challengeLines_[frameY] = line;
    if (CollectionPageView* page = collection_ != nullptr ? collection_->Page(frameY) : nullptr) {
        page->SetChallengeLine(Words(line), line.kind == ChallengeLine::Kind::Preparing);
    }
}

void Tmain::RaiseBoard() {
    raise();
    activateWindow();
}

void Tmain::InternalError(const MarkedText& text) { services_.dialogs->Message(Words(text)); }

}  // namespace tilvaren
