#include "session/Session.hpp"

#include <algorithm>
#include <filesystem>
#include <random>
#include <system_error>
#include <utility>

#include "board/Transforms.hpp"
#include "core/Frame.hpp"
#include "records/FileNames.hpp"
#include "records/ProgramFiles.hpp"
#include "records/RegisterFile.hpp"
#include "records/SavedGame.hpp"
#include "records/SolutionRegister.hpp"
#include "session/Congruence.hpp"
#include "session/Hints.hpp"
#include "session/MoveFlow.hpp"
#include "session/Restore.hpp"
#include "session/StatusTexts.hpp"

namespace tilvaren {

namespace {

CollectionOrder OrderOf(int kept) { return kept == 1 ? CollectionOrder::ByFirstFind : CollectionOrder::ByNumber; }

// Where a frame's page order is kept in the settings: the tallest frame first.
std::size_t KeptOrderAt(int frameY) {
    return static_cast<std::size_t>(std::find(kFrameHeights.begin(), kFrameHeights.end(), frameY) - kFrameHeights.begin());
}

}  // namespace

Session::Session(View& view, ErrorSink& errors, const Clock& clock, std::string programDir)
    : view_(view), clock_(clock), programDir_(std::move(programDir)), board_(errors) {
    // The window creates its cells where the default frame and size put them.
    arranged_.cells = CellPlacesFor(kDefaultFrameY, arranged_.cellSize);
}

Settings Session::CurrentSettings() const {
    Settings current = settings_;
    current.FrameY = board_.FrameY();
    return current;
}

void Session::Start() {
    // This is the only copy on these files, so no save is under way.
    RemoveInterruptedSaves(programDir_);
    TakeBackSavedAway();
    const LoadedSettings loaded = LoadSettings(programDir_);
    settings_ = loaded.settings;
    view_.SetLanguage(settings_.language);
    // A settings file that exists but cannot be read is told once, here; it is
    // never overwritten, so no later save of the settings is attempted.
    settingsUnreadable_ = !loaded.status;
    if (settingsUnreadable_) startupMessages_.push_back({Notice::Kind::SettingsUnreadable, loaded.status});
    board_.SetFrame(settings_.FrameY);
    MenuUItemSet();
    board_.ResetBoard();

    const SavedGameReadResult saved = RestoreSavedGame(board_, *this, programDir_);
    if (saved.outcome == SavedGameReadResult::Outcome::Rejected) {
        Notice rejected{Notice::Kind::SavedGameRejected};
        rejected.detail = saved.problem;
        if (!saved.keptAs.empty()) rejected.names = {saved.keptAs};
        startupMessages_.push_back(rejected);
    }
    if (const FileResult result = SaveSettingsIfReadable(); !result) {
        startupMessages_.push_back({Notice::Kind::SettingsNotSaved, result});
    }
    SizeCells();
    LayoutWindow();
    SolutionFileEnsure(programDir_);  // a failure shows at the first append
    DrawBoard();
    StatusBar00Set();
    StatusBarPiecesSet();
    MenuFrameSet();
    MenuSizeSet();
    MenuEditSet();
    history_.Begin(board_);
    BoardChanged();
    PieceSupportSet();
}

std::vector<Notice> Session::TakeStartupMessages() { return std::exchange(startupMessages_, {}); }

bool Session::Close() {
    const FileResult settingsSaved = SaveSettingsIfReadable();
    const FileResult gameSaved = SavedGameWrite(board_, programDir_, clock_);
    if (gameSaved) {
        // The game is safe; settings that could not be saved are only told.
        if (!settingsSaved) view_.Tell(Notice{Notice::Kind::SettingsNotSaved, settingsSaved});
        return true;
    }
    const FileResult savedAway = SaveAway(gameSaved);
    if (savedAway) return true;
    Notice question{Notice::Kind::GameNotSaved, gameSaved, settingsSaved, savedAway};
    question.other = fallbackDir_;
    question.settingsToo = !settingsSaved;
    return view_.Ask(question);
}

void Session::TakeBackSavedAway() {
    folderIdentity_ = FolderIdentity(programDir_);
    if (fallbackDir_.empty() || fallbackDir_ == programDir_) return;
    const TakeBackResult result = tilvaren::TakeBackSavedAway(programDir_, fallbackDir_);
    Notice notice;
    notice.folder = programDir_;
    notice.other = fallbackDir_;
    if (!result.taken.empty()) {
        notice.kind = Notice::Kind::TakenBack;
        notice.names = result.taken;
        startupMessages_.push_back(notice);
    }
    if (!result.failure) {
        notice.kind = Notice::Kind::NotTakenBack;
        // The game goes first: with nothing taken, the game here is the older one.
        notice.settingsToo = !result.taken.empty();
        notice.failure = result.failure;
        startupMessages_.push_back(notice);
    }
}

FileResult Session::SaveAway(const FileResult& notSaved) {
    // The program folder itself is tried again only when it has gone, and is
    // then made anew; other failures there would only repeat.
    std::error_code error;
    const bool sameFolder = fallbackDir_ == programDir_;
    if (fallbackDir_.empty() || (sameFolder && std::filesystem::exists(programDir_, error))) {
        return FileResult::Failure(std::string());
    }
    std::filesystem::create_directories(fallbackDir_, error);
    if (error) return FileResult::Failure(FileAction::Create, fallbackDir_, error.value());
    const FileResult settings = SaveSettingsIfReadable(fallbackDir_);
    const FileResult game = SavedGameWrite(board_, fallbackDir_, clock_);
    if (!game) return game;

    Notice told{sameFolder ? Notice::Kind::FolderRemade : Notice::Kind::SavedAway, notSaved, settings};
    told.folder = programDir_;
    told.other = fallbackDir_;
    told.settingsToo = settings && !settingsUnreadable_;
    if (!sameFolder) {
        std::vector<std::string> names{kSavedGameFile};
        if (told.settingsToo) names.emplace_back(kSettingsFile);
        told.third = NoteSavedAway(fallbackDir_, programDir_, folderIdentity_, names);
    }
    view_.Tell(told);
    return FileResult::Success();
}

FileResult Session::SaveSettingsIfReadable(const std::string& dir) {
    if (settingsUnreadable_) return FileResult::Success();
    return SaveSettings(CurrentSettings(), dir.empty() ? programDir_ : dir);
}

// --- commands -----------------------------------------------------------

const std::vector<Command>& Session::Commands() {
    using R = EnableRule;
    static const std::vector<Command> table = [] {
        std::vector<Command> rows = {
            {"N6", [](Session& s, int) { s.UndoStep(); }, R::History, 0},
            {"N8", [](Session& s, int) { s.RedoStep(); }, R::History, 0},
            {"N7", [](Session& s, int) { s.UndoPiece(); }, R::History, 0},
            {"N10", [](Session& s, int) { s.RedoPiece(); }, R::History, 0},
            {"menuET", [](Session& s, int) { s.Turn(); }, R::GameStarted, 0},
            {"menuEM", [](Session& s, int) { s.Mirror(); }, R::GameStarted, 0},
            {"menuEU", [](Session& s, int) { s.CorrectUPosition(); }, R::UCorrection, 0},
            {"menuEC", [](Session& s, int) { s.StartCongruenceCheck(); }, R::Always, 0},
            {"menuEH", [](Session& s, int) { s.ShowHint(); }, R::Always, 0},
            {"menuER", [](Session& s, int) { s.Reset(); }, R::Always, 0},
            {"menuVP", [](Session& s, int) { s.TogglePieceSupport(); }, R::Always, 0},
            {"menuVN", [](Session& s, int) { s.ToggleMenuBar(); }, R::Always, 0},
            {"menuVB", [](Session& s, int) { s.ToggleStatusBar(); }, R::Always, 0},
            {"menuVC", [](Session& s, int) { s.OpenCollection(); }, R::Always, 0},
            {"menuVF", [](Session& s, int size) { s.ChooseCellSize(size); }, R::OtherSize, kCellSizes[2]},
            {"menuVD", [](Session& s, int size) { s.ChooseCellSize(size); }, R::OtherSize, kCellSizes[1]},
            {"menuVS", [](Session& s, int size) { s.ChooseCellSize(size); }, R::OtherSize, kCellSizes[0]},
        };
        for (const int frameY : kFrameHeights) {
            rows.push_back({"menuVF" + std::to_string(frameY), [](Session& s, int y) { s.ChooseFrame(y); },
                            R::OtherFrame, frameY});
        }
        rows.push_back({"menuVO", [](Session& s, int) { s.OpenOptions(); }, R::Always, 0});
        return rows;
    }();
    return table;
}

// --- clicks -------------------------------------------------------------

void Session::ButtonClick(int n) {
    SelectCell(board_, *this, n);
    RecordStep();
}

void Session::ImageClick(int n) {
    TakeBackCell(board_, *this, n);
    RecordStep();
}

// --- edit menu ----------------------------------------------------------

void Session::Turn() {
    TurnBoard(board_);
    TurnPieceFlags(board_);
    board_.FillDrawnBsts(kWall);
    DrawBoard();
    RecordStep();
}

void Session::Mirror() {
    MirrorBoard(board_);
    MirrorPieceFlags(board_);
    board_.FillDrawnBsts(kWall);
    DrawBoard();
    RecordStep();
}

void Session::CorrectUPosition() {
    CorrectU(board_);
    board_.FillDrawnBsts(kWall);
    DrawBoard();
    RecordStep();
}

void Session::Reset() {
    board_.ResetBoard();
    DrawBoard();
    MenuFrameSet();
    MenuEditSet();
    StatusBarPiecesSet();
    RecordStep();
}

void Session::StartCongruenceCheck() {
    // One check at a time: a press while one is counting or its answer is
    // still open adds nothing.
    if (checkUnderWay_) return;
    checkUnderWay_ = true;
    view_.RunAway([this, cells = BoardCells(board_), dir = programDir_]() -> std::function<void()> {
        return [this, answer = CheckCongruence(cells, dir)] {
            view_.Tell(answer);
            checkUnderWay_ = false;
        };
    });
}

void Session::ShowHint() {
    hintLevel_ = std::min(hintLevel_ + 1, kHintLevels);
    const unsigned request = hints_->Next();
    const BoardCells cells(board_);
    // A hint that comes back after the board changed is dropped.
    auto done = [this, hints = hints_, request](const Hint& hint) {
        if (hints->IsNewest(request)) view_.MarkHint(hint);
    };
    const std::optional<CompletionCounter> counter = BuiltCompletionCounter(cells.frameY);
    if (counter && !IsFinished(cells)) {
        done(HintFor(*counter, cells, hintLevel_, placedOrder_, false));
        return;
    }
    view_.RunAway([done, cells, level = hintLevel_, order = placedOrder_, dir = programDir_]() -> std::function<void()> {
        return [done, hint = WorkOutHint(cells, level, order, dir)] { done(hint); };
    });
}

void Session::DropHint() {
    hints_->DropAll();
    if (hintLevel_ != 0) {
        hintLevel_ = 0;
        view_.MarkHint(Hint{});
    }
}

void Session::ChallengeLineSet() {
    if (!challengeShown_) return;
    const Challenge& challenge = *challengeShown_;
    bool stands = challenge.frameY == board_.FrameY() && !board_.AllPiecesPlaced();
    // Turned or mirrored, the board is still the challenge taken.
    FilledFrame board{};
    for (int n = 0; n < kCellCount; ++n) board[static_cast<std::size_t>(n)] = board_.CellCode(n);
    const auto holdsChallenge = [&challenge](const FilledFrame& image) {
        for (std::size_t n = 0; n < image.size(); ++n) {
            if (challenge.cells[n] != kEmpty && image[n] != challenge.cells[n]) return false;
        }
        return true;
    };
    const std::array<FilledFrame, 4> images = FrameImages(board, challenge.frameY);
    stands = stands && std::any_of(images.begin(), images.end(), holdsChallenge);
    if (stands) return;
    view_.ShowChallengeLine(challenge.frameY, {});
    challengeShown_.reset();
}

void Session::ShowCongratulations() {
    // The finished board is on the screen as it stays before the message:
    // no hint marks or words over it, the strip saying it is finished.
    DropHint();
    ChallengeLineSet();
    if (settings_.PieceSupportOn) {
        supportCounts_->DropAll();
        SupportPicture picture = SupportPictureFor(board_);
        picture.line = SupportLine{SupportLine::Kind::Finished};
        view_.ShowPieceSupport(picture);
    }
    view_.ShowCongratulations();
}

void Session::BoardChanged() {
    DropHint();
    ChallengeLineSet();
    const BoardCells cells(board_);
    const auto onBoard = [&cells](char letter) {
        return std::find(cells.codes.begin(), cells.codes.end(), letter) != cells.codes.end();
    };
    std::erase_if(placedOrder_, [&onBoard](char letter) { return !onBoard(letter); });
    for (const char letter : kPieceLetters) {
        if (onBoard(letter) && std::find(placedOrder_.begin(), placedOrder_.end(), letter) == placedOrder_.end()) {
            placedOrder_.push_back(letter);
        }
    }
}

bool Session::TakeChallenge(const Challenge& challenge) {
    if (!IsFrameHeight(challenge.frameY)) return false;
    const bool frameChanges = challenge.frameY != board_.FrameY();
    Notice question{Notice::Kind::ChallengeLeavesGame};
    question.frameY = challenge.frameY;
    question.otherFrameY = board_.FrameY();
    if (frameChanges && board_.GameStarted && !view_.Ask(question)) return false;
    SwitchFrame(challenge.frameY, false, true, [this, &challenge] {
        // The pieces stand as if the player had placed them, the way a saved
        // game comes back: letters on the cells, their flags placed, the game started.
        board_.ResetBoard();
        GameRecord record;
        record.frameY = challenge.frameY;
        record.cells = challenge.cells;
        SavedGameRestore(board_, *this, record);
        DrawBoard();
        StatusBarPiecesSet();
    });
    return true;
}

void Session::SwitchFrame(int frameY, bool relayout, bool captionToo, const std::function<void()>& fill) {
    const bool changes = frameY != board_.FrameY();
    if (changes || relayout) {
        HideCells();
        board_.SetFrame(frameY);
        SizeCells();
        LayoutWindow();
    }
    fill();
    if (!changes) return RecordStep();
    if (captionToo) {
        MenuUCaptionSet();
        MenuUItemSet();
        StatusBar00Set();
    }
    BeginHistory();
}

void Session::UndoStep() { ShowState(history_.Undo()); }

void Session::RedoStep() { ShowState(history_.Redo()); }

void Session::UndoPiece() { ShowState(history_.UndoPiece()); }

void Session::RedoPiece() { ShowState(history_.RedoPiece()); }

void Session::ShowState(const GameState* state) {
    if (state == nullptr) return;
    static_cast<GameState&>(board_) = *state;
    BoardChanged();
    board_.FillDrawnBsts(kWall);
    DrawBoard();
    MenuFrameSet();
    MenuEditSet();
    StatusBarPiecesSet();
    MenuHistorySet();
    PieceSupportSet();
}

void Session::BeginHistory() {
    history_.Begin(board_);
    BoardChanged();
    MenuHistorySet();
    PieceSupportSet();
}

void Session::RecordStep() {
    if (!history_.Record(board_)) return;
    BoardChanged();
    MenuHistorySet();
    PieceSupportSet();
}

void Session::MenuHistorySet() {
    const std::array<bool, 4> now = {history_.CanUndo(), history_.CanRedo(), history_.CanUndoPiece(),
                                     history_.CanRedoPiece()};
    const char* const names[] = {"N6", "N8", "N7", "N10"};
    for (std::size_t i = 0; i < now.size(); ++i) {
        if (now[i] != historyItems_[i]) view_.EnableMenuItem(names[i], now[i]);
    }
    historyItems_ = now;
}

// --- view menu ----------------------------------------------------------

void Session::ToggleMenuBar() {
    settings_.MenuBarOn = !settings_.MenuBarOn;
    LayoutWindow();
}

void Session::ToggleStatusBar() {
    settings_.StatusBarOn = !settings_.StatusBarOn;
    LayoutWindow();
}

void Session::TogglePieceSupport() {
    settings_.PieceSupportOn = !settings_.PieceSupportOn;
    LayoutWindow();
    PieceSupportSet();
}

void Session::PieceSupportSet() {
    if (!settings_.PieceSupportOn) return;
    const unsigned request = supportCounts_->Next();
    view_.ShowPieceSupport(SupportPictureFor(board_));
    view_.RunAway([this, counts = supportCounts_, request, cells = BoardCells(board_)]() -> std::function<void()> {
        if (!counts->IsNewest(request)) return [] {};  // a newer change came before this count started
        return [this, counts, request, line = CountCompletionLine(cells)] {
            if (counts->IsNewest(request)) view_.SetSupportLine(line);
        };
    });
}

void Session::ToggleBothBars() {
    const bool both = settings_.MenuBarOn && settings_.StatusBarOn;
    settings_.MenuBarOn = !both;
    settings_.StatusBarOn = !both;
    LayoutWindow();
}

// --- the collection -----------------------------------------------------

void Session::OpenCollection() {
    collectionOpen_ = true;
    view_.OpenCollection(board_.FrameY(), settings_.CollectionPlace);
    ReadCollection();
}

void Session::KeepCollectionPlace(const KeptWindowPlace& place) {
    if (place.HasSize()) settings_.CollectionPlace = place;
}

void Session::CloseCollection(const KeptWindowPlace& place) {
    KeepCollectionPlace(place);
    collectionOpen_ = false;
    collectionReads_->DropAll();  // a read under way stops
}

void Session::ReadCollection() {
    const unsigned request = collectionReads_->Next();
    view_.ShowCollection(std::make_shared<const Collection>());
    view_.RunAway([this, reads = collectionReads_, request, dir = programDir_]() -> std::function<void()> {
        const auto overtaken = [&reads, request] { return !reads->IsNewest(request); };
        const RegisterRead read = ReadRegisterIn(dir, overtaken);
        if (overtaken()) return [] {};
        Collection collection{Collection::State::Unreadable, read.status, {}};
        if (read.status) collection = CollectionOf(read.report);
        return [this, reads, request, collection]() mutable {
            if (!reads->IsNewest(request)) return;
            // As the player left each page, whatever came in meanwhile.
            for (CollectionPage& page : collection.pages) {
                const auto at = static_cast<std::size_t>(FrameItemOf(page.frameY));
                SortEntries(page, OrderOf(settings_.CollectionOrders[KeptOrderAt(page.frameY)]));
                page.chosen = collectionChosen_[at];
            }
            collection_ = std::make_shared<const Collection>(std::move(collection));
            view_.ShowCollection(collection_);
        };
    });
}

void Session::SortCollection(int frameY, CollectionOrder order) {
    const int at = FrameItemOf(frameY);
    if (at < 0) return;
    settings_.CollectionOrders[KeptOrderAt(frameY)] = order == CollectionOrder::ByFirstFind ? 1 : 0;
    if (collection_ == nullptr) return;
    auto sorted = std::make_shared<Collection>(*collection_);
    for (CollectionPage& page : sorted->pages) {
        if (page.frameY == frameY) SortEntries(page, order);
    }
    collection_ = sorted;
    view_.ShowCollection(collection_);
}

void Session::ChooseSolution(int frameY, int number) {
    const int at = FrameItemOf(frameY);
    if (at < 0) return;
    collectionChosen_[static_cast<std::size_t>(at)] = number;
    view_.ShowChosenSolution(frameY, number);
}

void Session::StartChallenge(int frameY) {
    const int at = FrameItemOf(frameY);
    // One search at a time on a page: its button waits for it.
    if (at < 0 || challengeSearches_[static_cast<std::size_t>(at)]) return;
    // Every solution found, as the collection shows: nothing to ask a level for.
    const CollectionPage* page = collection_ != nullptr ? PageOf(*collection_, frameY) : nullptr;
    if (page != nullptr && page->frameY == frameY && page->total > 0 && page->found >= page->total) {
        Notice allFound{Notice::Kind::AllFound};
        allFound.frameY = frameY;
        allFound.count = page->total;
        return view_.Tell(allFound);
    }
    const std::optional<ChallengeLevel> level = view_.AskChallengeLevel();
    if (!level) return;
    challengeSearches_[static_cast<std::size_t>(at)] = true;
    view_.ShowChallengeLine(frameY, {ChallengeLine::Kind::Preparing});
    std::random_device random;
    const std::uint64_t seed = (std::uint64_t{random()} << 32U) ^ random();
    view_.RunAway([this, frameY, at, level = *level, dir = programDir_, seed]() -> std::function<void()> {
        return [this, frameY, at, search = FindChallenge(frameY, level, dir, seed)] {
            challengeSearches_[static_cast<std::size_t>(at)] = false;
            view_.ShowChallengeLine(frameY, {});
            if (!search.challenge) return view_.Tell(search.why);
            if (!TakeChallenge(*search.challenge)) return;
            view_.RaiseBoard();
            challengeShown_ = *search.challenge;
            view_.ShowChallengeLine(frameY, TakenLine(*search.challenge));
        };
    });
}

void Session::OpenOptions() {
    const std::optional<PendingSettings> pending = view_.RunOptions(CurrentSettings(), board_.GameStarted);
    if (!pending) return;
    settings_.FrameSize = SizeClassOf(pending->FrameSize);
    settings_.MenuBarOn = pending->MenuBarOn;
    settings_.StatusBarOn = pending->StatusBarOn;
    if (settings_.language != pending->language) {
        settings_.language = pending->language;
        view_.SetLanguage(settings_.language);
    }
    // The frame is locked while a game is under way, whatever the dialog says.
    const int frameY = board_.GameStarted ? board_.FrameY() : ValidFrameY(pending->FrameY);
    SwitchFrame(frameY, true, false, [this] {
        if (settingsUnreadable_) {
            view_.Tell(Notice{Notice::Kind::OptionsNotSaved});
        } else if (const FileResult result = SaveSettings(CurrentSettings(), programDir_); !result) {
            view_.Tell(Notice{Notice::Kind::SettingsNotSaved, result});
        }
        if (board_.GameStarted) {
            board_.FillDrawnBsts(kWall);
        } else {
            board_.ResetBoard();
        }
        DrawBoard();
        MenuFrameSet();
        MenuSizeSet();
        MenuEditSet();
        StatusBar00Set();
        StatusBarPiecesSet();
    });
}

void Session::ChooseCellSize(int frameSize) {
    if (settings_.FrameSize == frameSize) return;
    settings_.FrameSize = frameSize;
    HideCells();
    SizeCells();
    LayoutWindow();
    board_.FillDrawnBsts(kWall);
    DrawBoard();
    MenuSizeSet();
}

void Session::ChooseFrame(int frameY) {
    // The frame is locked while a game is under way, shortcuts included.
    if (board_.GameStarted || board_.FrameY() == frameY) return;
    SwitchFrame(frameY, false, true, [this] {
        board_.ResetBoard();
        DrawBoard();
        MenuFrameSet();
    });
}

// --- layout -------------------------------------------------------------

void Session::SizeCells() {
    if (arranged_.cellSize == settings_.FrameSize) return;
    arranged_.cellSize = settings_.FrameSize;
    view_.SizeCells(arranged_.cellSize);
}

void Session::LayoutWindow() {
    const int s = settings_.FrameSize;
    const BoardGeometry g = BoardGeometryFor(board_.FrameX(), board_.FrameY(), s);
    WindowLayout layout;
    layout.menuBarOn = settings_.MenuBarOn;
    layout.statusBarOn = settings_.StatusBarOn;
    layout.pieceSupportOn = settings_.PieceSupportOn;
    layout.areaWidth = g.areaWidth;
    layout.areaHeight = g.areaHeight;
    layout.rowLength = board_.FrameX();
    layout.cellSize = s;
    layout.cells = CellPlacesFor(board_.FrameY(), s);
    // Cells that already stand where this frame and size put them stay.
    layout.moveCells = layout.cells != arranged_.cells;
    if (!layout.pieceSupportOn) supportCounts_->DropAll();  // a count under way is no longer wanted
    arranged_ = layout;
    view_.LayoutWindow(layout);
}

void Session::DrawBoard() { tilvaren::DrawBoard(board_, *this); }

// --- status bar and menus -----------------------------------------------

void Session::StatusBar00Set() {
    const std::string text = FrameName(board_.FrameY());
    if (text.empty()) {
        board_.Errors().InternalError({TILVAREN_TR_NOOP("Engine", "例外発生 手続き%1 FrameY=%2"),
                                        {"StatusBar00Set", std::to_string(board_.FrameY())}});
        view_.SetFramePanel("      ");
        return;
    }
    view_.SetFramePanel(text);
}

void Session::StatusBarPiecesSet() {
    for (int i = 0; i < kPieceCount; ++i) view_.SetPiecePanel(i, PieceLookOf(board_, i));
}

void Session::MenuFrameSet() {
    if (board_.GameStarted) {
        view_.EnableMenuItem("menuVFF", false);
        return;
    }
    view_.EnableMenuItem("menuVFF", true);
    for (const Command& command : Commands()) {
        if (command.rule == EnableRule::OtherFrame) {
            view_.EnableMenuItem(command.item, command.value != ValidFrameY(board_.FrameY()));
        }
    }
}

void Session::MenuSizeSet() {
    // The item of the size in use is the disabled one.
    const int size = SizeClassOf(settings_.FrameSize);
    for (const Command& command : Commands()) {
        if (command.rule == EnableRule::OtherSize) view_.EnableMenuItem(command.item, command.value != size);
    }
}

void Session::MenuEditSet() {
    for (const Command& command : Commands()) {
        if (command.rule == EnableRule::GameStarted) view_.EnableMenuItem(command.item, board_.GameStarted);
    }
    if (!board_.GameStarted) {
        view_.EnableMenuItem("menuEU", false);
    } else {
        MenuUItemSet();
    }
}

void Session::MenuUItemSet() {
    if (board_.FrameY() == 6) {
        view_.EnableMenuItem("menuEU", board_.GameStarted);
    } else if (IsFrameHeight(board_.FrameY())) {
        view_.EnableMenuItem("menuEU", false);
    }
}

void Session::MenuUCaptionSet() { view_.SetUCaption(board_.FrameY() == 6); }

// --- the rest of the click flow -----------------------------------------

void Session::SolutionAppend() {
    const FileResult result = tilvaren::SolutionAppend(board_, programDir_, clock_);
    if (!result) {
        Notice notice{Notice::Kind::SolutionNotRecorded, result};
        notice.names = {kSolutionFile};
        return view_.Tell(notice);
    }
    if (collectionOpen_) ReadCollection();
}

}  // namespace tilvaren
