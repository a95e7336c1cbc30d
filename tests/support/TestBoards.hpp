#pragma once

#include <string>
#include <vector>

#include "board/Board.hpp"
#include "session/GameView.hpp"
#include "pieces/Solver.hpp"

namespace tilvaren::testing {

// Keeps every internal-error text it is given.
class RecordingErrorSink : public ErrorSink {
public:
    void InternalError(const MarkedText& text) override { messages.push_back(text.Plain()); }
    std::vector<std::string> messages;
};

// Records each window step by name, and the cells the renderer touched.
class RecordingView : public GameView {
public:
    void PlayClickSound() override { steps.push_back("PlayClickSound"); }
    void MenuFrameSet() override { steps.push_back("MenuFrameSet"); }
    void MenuEditSet() override { steps.push_back("MenuEditSet"); }
    void SetTabToBestCell(int n) override {
        steps.push_back("SetTabToBestCell");
        tabCell = n;
    }
    void StatusBarPiecesSet() override { steps.push_back("StatusBarPiecesSet"); }
    void ShowCongratulations() override;
    void SolutionAppend() override;
    void ApplyCell(int n, const CellTarget& target) override;

    // Called from ShowCongratulations, to look at the board as the player sees it then.
    const Board* board = nullptr;
    std::vector<std::string> boardAtCongratulations;
    std::vector<std::string> boardAtAppend;

    std::vector<std::string> steps;
    std::vector<int> paintedCells;
    std::vector<CellTarget> painted;  // last target per cell
    int tabCell = -1;
    int drawPasses = 0;  // passes that touched at least one cell
};

// A board of the given frame height, reset and ready to play.
Board MakeBoard(ErrorSink& errors, int frameY);

// The frame as rows of cell codes, top row first.
std::vector<std::string> Picture(const Board& board);

// Writes a picture (rows of cell codes) into the frame. Flags and counters are
// left alone.
void SetPicture(Board& board, const std::vector<std::string>& rows);

// Cell number of (row, column) on the board's frame.
inline int Cell(const Board& board, int row, int column) { return row * board.FrameX() + column; }

// Plays a whole solution through the click flow as a player would: the cells
// of one piece after another, skipping cells the program has already filled.
// Returns the letter the program recognised for each piece in the order
// played, or stops at the first surprise with a message in `failure`.
std::string PlaySolution(Board& board, GameView& view, const FilledFrame& solution, std::string& failure);

}  // namespace tilvaren::testing
