#pragma once

#include <string>

#include "board/Board.hpp"

namespace tilvaren {

// Where piece i stands: still possible, on the board, or ruled out by the
// selection (also for a number that is no piece's).
enum class PieceLook { Plain, Placed, RuledOut };
PieceLook PieceLookOf(const Board& board, int piece);

// The text of piece i's panel: " " when it is on the board, its letter while
// one of its orientations is still available, "-" when all are ruled out.
std::string PiecePanelText(int piece, PieceLook look);

// What a screen reader is told of cell n, for the window to put into words:
// its row and column from 1 and what it holds (kEmpty, kSelected, kBlocked,
// a piece letter, or 0 for nothing it can name).
struct CellLabel {
    int row = 0;
    int column = 0;
    char holds = 0;

    friend bool operator==(const CellLabel&, const CellLabel&) = default;
};
CellLabel CellLabelOf(const Board& board, int n);

}  // namespace tilvaren
