#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "records/Settings.hpp"
#include "session/Challenge.hpp"
#include "session/Collection.hpp"
#include "session/Congruence.hpp"
#include "session/DrawBoard.hpp"
#include "session/GameView.hpp"
#include "session/Geometry.hpp"
#include "session/Hints.hpp"
#include "session/Notice.hpp"
#include "session/PieceSupport.hpp"

namespace tilvaren {

// The window's arrangement: which bars show, the board area's size and, when
// the cells must move, where each stands.
struct WindowLayout {
    bool menuBarOn = true;
    bool statusBarOn = true;
    bool pieceSupportOn = false;  // the strip between the board area and the status bar
    int areaWidth = 0;
    int areaHeight = 0;
    int rowLength = 10;  // cells in a row of the frame
    int cellSize = kDefaultCellSize;  // each cell's edge in pixels, as the settings have it
    bool moveCells = false;  // false: the cells already stand where they belong
    CellPlaces cells{};
};

// What the options dialog hands back after OK.
struct PendingSettings {
    int FrameY = kDefaultFrameY;
    int FrameSize = kDefaultCellSize;
    bool MenuBarOn = true;
    bool StatusBarOn = true;
    Language language = Language::Japanese;
};

// The window as the session sees it: it shows what the session decided and
// reports nothing back but the player's answers. The main window implements
// it; tests record the calls to check each command's order. Every call comes
// on the window's thread; a call keeps nothing it is given by reference
// beyond its return, unless it says so.
class View : public MoveView {
public:
    // A plain message, and a Yes/No question (true: Yes), in the window's
    // words; both return once the player has answered.
    virtual void Tell(const Notice& notice) = 0;
    virtual bool Ask(const Notice& notice) = 0;
    // The congruence check's answer, as a plain message.
    virtual void Tell(const CongruenceAnswer& answer) = 0;
    // The one way off the window's thread: runs `work` on a worker, then the
    // function it returns back on the window's thread (nothing once the window
    // is gone); returns at once. `work` itself must not touch the session.
    virtual void RunAway(std::function<std::function<void()>()> work) = 0;

    // The language every text of the window is worded in from now on, those
    // already shown included; given once at start, before anything is told.
    virtual void SetLanguage(Language language) = 0;

    // A menu item or submenu by its name ("menuET", "menuVFF"): enabled or not.
    virtual void EnableMenuItem(const std::string& name, bool enabled) = 0;
    // The caption of the U correction item.
    virtual void SetUCaption(bool sixByTen) = 0;
    // Status bar panel 0: the frame, as "6 * 10".
    virtual void SetFramePanel(const std::string& text) = 0;
    // The panel of piece 0..11 (F to Z): where the piece stands.
    virtual void SetPiecePanel(int piece, PieceLook look) = 0;
    // The piece support strip's picture, and its line once it is counted.
    virtual void ShowPieceSupport(const SupportPicture& picture) = 0;
    virtual void SetSupportLine(const SupportLine& line) = 0;

    // Marks the hint's cells over the board and its piece in the strip, and
    // shows its words until the next, where they cover nothing: in the
    // strip's line while the strip is on, else in a line of their own under
    // the board; a screen reader hears them as they come. A hint of kind None
    // removes every mark and the words. The cells' codes and pictures stay.
    virtual void MarkHint(const Hint& hint) = 0;

    // Hides every cell's visible control before the cells move or resize.
    virtual void HideCells() = 0;
    // Gives every cell control this edge in pixels.
    virtual void SizeCells(int frameSize) = 0;
    virtual void LayoutWindow(const WindowLayout& layout) = 0;

    // Runs the options dialog over the current values; none when cancelled.
    virtual std::optional<PendingSettings> RunOptions(const Settings& current, bool gameStarted) = 0;

    // Shows the collection window on this frame's page: where it was kept
    // while that still lies on the screen, else beside the main window.
    virtual void OpenCollection(int frameY, const KeptWindowPlace& kept) = 0;
    // What the collection shows, kept until the next: reading (the pages stay
    // as they are), unreadable or its pages, each in its order and with its
    // chosen solution.
    virtual void ShowCollection(std::shared_ptr<const Collection> collection) = 0;
    // The solution of this number shown large on its frame's page; 0 none.
    virtual void ShowChosenSolution(int frameY, int number) = 0;
    // Asks how hard a challenge should be; none when the player cancels.
    virtual std::optional<ChallengeLevel> AskChallengeLevel() = 0;
    // The line beside the 挑戦 of the frame's page; its button waits while
    // the line says a search is under way.
    virtual void ShowChallengeLine(int frameY, const ChallengeLine& line) = 0;
    // Brings the main window, with the board to play, to the front.
    virtual void RaiseBoard() = 0;
};

}  // namespace tilvaren
