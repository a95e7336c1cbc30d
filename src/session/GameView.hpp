#pragma once

#include "session/DrawBoard.hpp"

namespace tilvaren {

// What a move shows in the window beyond its cells; part of the window's
// interface (View), and the click flow's way to it (GameView).
class MoveView : public CellPainter {
public:
    // Starts the click sound if its file exists; never waits for it.
    virtual void PlayClickSound() = 0;
    // Rebuilds the keyboard tab order: the button of cell n first (none when
    // n is -1), then the others in cell order.
    virtual void SetTabToBestCell(int n) = 0;
    // Shows "Congratulations!" and returns once the player has closed it.
    virtual void ShowCongratulations() = 0;
};

// The click flow's and the restore's side of a move: the window's part, and
// the refreshes of menus, panels and the register the session runs for it.
// Tests record the calls to check their order.
class GameView : public MoveView {
public:
    // The frame submenu follows GameStarted.
    virtual void MenuFrameSet() = 0;
    // Turn, Mirror and the U correction follow GameStarted and the frame.
    virtual void MenuEditSet() = 0;
    // Shows per piece: placed, still possible, ruled out.
    virtual void StatusBarPiecesSet() = 0;
    // Appends the finished board to the solution register.
    virtual void SolutionAppend() = 0;
};

}  // namespace tilvaren
