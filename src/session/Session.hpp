#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "board/Board.hpp"
#include "core/ErrorSink.hpp"
#include "records/Clock.hpp"
#include "records/SafeFile.hpp"
#include "records/Settings.hpp"
#include "session/Challenge.hpp"
#include "session/GameView.hpp"
#include "session/History.hpp"
#include "session/View.hpp"

namespace tilvaren {

class Session;

// When a command's menu item is enabled; the session's menu refreshes work
// it out from the game.
enum class EnableRule {
    Always,       // nothing disables it
    GameStarted,  // turn and mirror: while a game is under way
    UCorrection,  // the U correction: a game under way on the 6 x 10 frame
    OtherSize,    // a size: unless its size is in use
    OtherFrame,   // a frame: unless it is in play, and none during a game
    History,      // undo and redo: while the history has a step that way
};

// One row of the session's command table: the menu item, what it runs (with
// the row's value), when it is enabled, and the value: the cell size or the
// frame height the item sets, 0 for none.
struct Command {
    std::string item;
    void (*run)(Session& session, int value);
    EnableRule rule;
    int value;
};

// One game window's state and every command on it, each a fixed sequence of
// engine steps and refreshes. The window is reached only through the View;
// the board's frame height is the one place the frame is kept while running.
class Session : private GameView {
public:
    Session(View& view, ErrorSink& errors, const Clock& clock, std::string programDir);

    // Start-up: settings, saved game, geometry, register, first drawing. What
    // the player must be told is kept for StartupMessages().
    void Start();
    // Messages found before the window was shown, each given once.
    std::vector<Notice> TakeStartupMessages();

    // The per-user folder (ending in '/') that takes the game and settings
    // when the program folder cannot at close; one that a close used for this
    // folder is taken back from at the next start. "" (the default): none.
    void SetFallbackFolder(std::string dir) { fallbackDir_ = std::move(dir); }

    // Close: saves the settings, then the game, in the fallback folder when
    // the program folder cannot take the game (the player is told where).
    // False when the player chose to stay after the game could not be saved.
    bool Close();

    // Clicks, as the cells' controls deliver them.
    void ButtonClick(int n);
    void ImageClick(int n);

    // Turns or mirrors the board, pieces and all; a step of the history.
    void Turn();
    void Mirror();
    // Brings a 6 x 10 game with a U into the normal position, cup upper left.
    void CorrectUPosition();
    // Clears the board of every piece; a step of the history.
    void Reset();
    // The congruence check: told once it is worked out, off the window's
    // thread; one at a time.
    void StartCongruenceCheck();
    // A hint on the board: each press on the same board the next level, 1
    // to 3; any change of the board starts again at 1 and removes the marks.
    // Never changes the board, plays no sound and is no step of the history.
    void ShowHint();
    // Undo and redo: a step back or forward, or to the state before or after
    // a piece. None plays the click sound or finishes a game.
    void UndoStep();
    void RedoStep();
    void UndoPiece();
    void RedoPiece();
    // Puts a challenge on the board, on its frame, as one step of the history.
    // A challenge on another frame starts that frame's history, after the
    // player agreed to leave a game under way. False, the game untouched,
    // when they did not or the challenge's frame is no frame's height.
    bool TakeChallenge(const Challenge& challenge);
    // Shows or hides the menu bar, the status bar, or the strip of pieces and
    // completions.
    void ToggleMenuBar();
    void ToggleStatusBar();
    void TogglePieceSupport();
    // The options dialog; its values are applied and saved after OK.
    void OpenOptions();
    // A cell size or a frame from the menu; the one in use changes nothing,
    // and the frame stays while a game is under way.
    void ChooseCellSize(int frameSize);
    void ChooseFrame(int frameY);
    // A double click on the board area: both bars off, or both on.
    void ToggleBothBars();
    // The collection of found solutions, opening on the frame in play; read
    // again whenever the register gains a line, until the player closes it.
    void OpenCollection();
    // Closed, left at this place (kept in the settings for the next opening).
    void CloseCollection(const KeptWindowPlace& place);
    // Where the open collection stands as the game closes.
    void KeepCollectionPlace(const KeptWindowPlace& place);
    // On the collection's page of a frame: its order, the solution the player
    // chose (0 none), and 挑戦: a challenge on that frame at the level the
    // player asks for, found away from the window's thread, one at a time on
    // a page, and taken as TakeChallenge takes it. A page whose solutions the
    // collection shows all found is told so before any level is asked. The
    // taken challenge's line stays while its board is on the game board: it
    // goes once the board is finished, or loses a piece the challenge placed
    // (by an undo, a reset, another frame, a click).
    void SortCollection(int frameY, CollectionOrder order);
    void ChooseSolution(int frameY, int number);
    void StartChallenge(int frameY);

    // Every menu command the session runs, in menu order. A new command is
    // one row here plus its function.
    static const std::vector<Command>& Commands();

    const Board& GameBoard() const { return board_; }
    // The settings as they stand, with the frame in play.
    Settings CurrentSettings() const;

private:
    // GameView: the click flow's and the restore's refreshes.
    void ApplyCell(int n, const CellTarget& target) override { view_.ApplyCell(n, target); }
    void PlayClickSound() override { view_.PlayClickSound(); }
    void MenuFrameSet() override;
    void MenuEditSet() override;
    void SetTabToBestCell(int n) override { view_.SetTabToBestCell(n); }
    void StatusBarPiecesSet() override;
    void ShowCongratulations() override;
    void SolutionAppend() override;

    void HideCells() { view_.HideCells(); }
    void SizeCells();
    void LayoutWindow();
    void DrawBoard();
    void StatusBar00Set();
    void MenuSizeSet();
    void MenuUCaptionSet();
    void MenuUItemSet();
    // Makes the board's state after a command one step of the history.
    void RecordStep();
    // A new history from the board as it stands: a new frame's first state.
    void BeginHistory();
    // Puts a state from the history on the board and redraws everything it touches.
    void ShowState(const GameState* state);
    // The four undo and redo items, each told only when it changes.
    void MenuHistorySet();
    // The piece support strip, after every change while it is on.
    void PieceSupportSet();
    // After every change of the board: the hint and its marks go, and the
    // order the pieces were placed in follows the board.
    void BoardChanged();
    // The hint's marks and words go: the board they were for has changed.
    void DropHint();
    // The challenge's line goes once the board is no longer that challenge's.
    void ChallengeLineSet();
    // Reads the register for the collection away from the window's thread;
    // a newer read stops this one.
    void ReadCollection();
    // Puts the board on a frame, the one in play or another, for a frame
    // item, the options or a challenge: on a new frame, or to `relayout`, the
    // cells hide while the board takes the frame and the window its cell size
    // and layout. `fill` then fills and draws the board and runs its command's
    // refreshes. A new frame then begins a history of its own, after its U
    // item's caption and state and its panel (`captionToo`); the same frame
    // records one step.
    void SwitchFrame(int frameY, bool relayout, bool captionToo, const std::function<void()>& fill);
    // The settings to write: the frame in play and the rest as set; into the
    // program folder unless `dir` names another.
    FileResult SaveSettingsIfReadable(const std::string& dir = {});
    // Start-up: a game a close saved in the fallback folder comes back here.
    void TakeBackSavedAway();
    // Close, when the program folder could not take the game (`notSaved`):
    // saves the settings and the game in the fallback folder and tells where.
    // The failure says why not ("" when there is no other folder to try).
    FileResult SaveAway(const FileResult& notSaved);

    View& view_;
    const Clock& clock_;
    std::string programDir_;
    std::string fallbackDir_;
    std::string folderIdentity_;  // the program folder's at start-up
    Board board_;
    Settings settings_;
    std::vector<Notice> startupMessages_;
    bool settingsUnreadable_ = false;
    WindowLayout arranged_;               // the cells' edge and places as the window has them now
    History history_;                     // the game on the current frame
    std::array<bool, 4> historyItems_{};  // N6, N8, N7, N10 as last told; the menu creates them disabled
    bool checkUnderWay_ = false;          // a check is counting or its answer is open
    int hintLevel_ = 0;                   // the level last asked on this board, 0 none
    std::shared_ptr<NewestRequest> hints_ = std::make_shared<NewestRequest>();
    std::vector<char> placedOrder_;  // letters on the board, oldest first
    // The strip's counts: a newer change drops an older count, not run if it
    // has not started, not shown if it has.
    std::shared_ptr<NewestRequest> supportCounts_ = std::make_shared<NewestRequest>();
    // The collection window: open or not, the newest read, what the player
    // chose on each page (by FrameItemOf), and the challenge searches under way.
    bool collectionOpen_ = false;
    std::shared_ptr<NewestRequest> collectionReads_ = std::make_shared<NewestRequest>();
    std::shared_ptr<const Collection> collection_;
    std::array<int, kFrameHeights.size()> collectionChosen_{};
    std::array<bool, kFrameHeights.size()> challengeSearches_{};
    std::optional<Challenge> challengeShown_;  // the challenge whose line stands, while its board is played
};

}  // namespace tilvaren
