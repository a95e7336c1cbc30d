#pragma once

#include <array>
#include <string>

#include "board/Board.hpp"
#include "session/StatusTexts.hpp"

namespace tilvaren {

// Tile code passed for a blocked cell; TileByCode gives the blocked-cell tile
// for it (and for any value that is no outline tile code).
inline constexpr int kBlockedTileCode = 2;

// What one cell pair should show: which control is visible, whether the image
// reacts to clicks, the tile (an outline tile code of PieceTileCode, 0 for
// the selection tile, or kBlockedTileCode) and what a screen reader is told
// of the cell.
struct CellTarget {
    bool buttonVisible = false;
    bool imageVisible = false;
    bool imageEnabled = false;
    int tileCode = 0;
    CellLabel label;

    friend bool operator==(const CellTarget&, const CellTarget&) = default;
};

// Applies a cell's target state to the cell pair on screen.
class CellPainter {
public:
    virtual ~CellPainter() = default;
    // Sets, in this order, the button's visibility, the image's visibility,
    // the image's enabled state and its picture.
    virtual void ApplyCell(int n, const CellTarget& target) = 0;
};

// The outline tile code of the piece cell at grid index g with the given code:
// 1000·N + 100·E + 10·S + W, each digit 1 when that neighbour has the same
// code, plus 10000 × (1000·NE + 100·SE + 10·SW + NW) for the corners that lie
// inside the piece: both sides and the diagonal cell have the same code (the
// middle of a P's 2 x 2 block), so the corner is no bend of the outline.
int PieceTileCode(const Board& board, int g, char code);

// Target state of cell n from its code and its neighbours.
CellTarget DecideCell(const Board& board, int n);

// The rendering pass: works out all 60 targets, applies those of the cells
// whose code differs from DrawnBsts, letters the "3" cells with FoundLetter and
// remembers the board in DrawnBsts.
void DrawBoard(Board& board, CellPainter& painter);

}  // namespace tilvaren
