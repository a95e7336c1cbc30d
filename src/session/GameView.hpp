#pragma once

#include "session/DrawBoard.hpp"

namespace tilvaren {

// The window's side of a move: everything a click does beyond the board state.
// The main window implements it; tests record the calls to check their order.
class GameView : public CellPainter {
public:
    // Starts the click sound if its file exists; never waits for it.
    virtual void PlayClickSound() = 0;
    // The frame submenu follows GameStarted.
    virtual void MenuFrameSet() = 0;
    // Turn, Mirror and the U correction follow GameStarted and the frame.
    virtual void MenuEditSet() = 0;
    // Rebuilds the keyboard tab order: the button of cell n first (none when
    // n is -1), then the others in cell order.
    virtual void SetTabToBestCell(int n) = 0;
    // Shows per piece: placed, still possible, ruled out.
    virtual void StatusBarPiecesSet() = 0;
    // Shows "Congratulations!" and returns once the player has closed it.
    virtual void ShowCongratulations() = 0;
    // Appends the finished board to the solution register.
    virtual void SolutionAppend() = 0;
};

}  // namespace tilvaren
