#pragma once

#include <vector>

namespace tilvaren {

// The keys the board answers to, apart from Tab (OnTabKey).
enum class CellKey { Other, Left, Right, Up, Down, Home, End, Act };

// What a key press on cell n does: the cell that takes the focus and whether
// the cell's click is run first.
struct KeyOutcome {
    int focus = 0;
    bool act = false;

    friend bool operator==(const KeyOutcome&, const KeyOutcome&) = default;
};

// A key on cell n of a frame `rowLength` cells wide holding `cellCount`
// cells. The arrows stop at the frame's edges (Right never wraps onto the
// next row), Home and End go to the ends of the row, and a held act key acts
// only on its first press, not on its repeats.
KeyOutcome OnCellKey(int n, CellKey key, bool autoRepeat, int rowLength, int cellCount);

// The cell Tab (forward) or Shift+Tab moves to from cell n, over `order`, the
// empty cells in tab order: the next or the one before, round from the end
// to the start; from a cell not in the order (one just clicked), the first
// or the last. -1 when no cell is empty.
int OnTabKey(int n, bool forward, const std::vector<int>& order);

}  // namespace tilvaren
