#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "session/Completion.hpp"

namespace tilvaren {

// The strongest level of a hint; a press beyond it repeats it.
inline constexpr int kHintLevels = 3;

// One hint on a board: what it says and what to mark, never a change of the board.
struct Hint {
    enum class Kind {
        None,               // no hint: every mark goes
        Where,              // level 1: only `count` placements can cover the cell
        Which,              // level 2: `piece` lies there in `count` percent of the completions
        Place,              // level 3: `piece` on the cells leaves `count` completions
        PlaceSelection,     // only the selected cells are free: they are the next piece
        SelectionUnusable,  // the selected cells fit no completion
        TakeBack,           // a dead end: taking `piece` back brings back `count` completions
        TakeBackFirst,      // a dead end: `piece` must go first, though that alone brings none back
        Unfinishable,       // a dead end with no piece on the board
        FinishedNew,        // a finished board, new to the register
        FinishedBefore,     // a finished board the register held before
        FinishedUnknown,    // a finished board, the register unreadable
    };
    Kind kind = Kind::None;
    int level = 0;           // the level given, 1..3; 0 when the board needs no level
    std::vector<int> cells;  // cells to mark (0..59), ascending
    int piece = -1;          // piece 0..11 (F..Z) named and marked, -1 none
    std::size_t count = 0;   // the kind's number, in distinct solutions where it counts completions
    std::string file;        // FinishedUnknown: the register's name

    friend bool operator==(const Hint&, const Hint&) = default;
};

// The hint of this level (1..3, clamped) for the board. Every choice weighs
// completions as the counter's ways (each turned or mirrored image of a
// solution on its own); the counts told are distinct solutions, as the strip
// tells them, and the piece of level 2 is given as a share.
//   1: the empty cell the fewest distinct placements (a piece and its five
//      cells) of the completions can cover, ties to the lowest cell number;
//   2: that cell, and the piece that covers it in the most completions;
//   3: the placement of that piece over that cell that keeps the most
//      completions, so the three levels are one chain.
// A board that cannot be completed names the pending selection when no
// completion can use it, else the placed piece whose removal brings back the
// most completions (ties: the last placed in `placedOrder`, oldest first;
// pieces it does not list count as placed before those it does). A finished
// board says so, and whether it is new (`finishedIsNew`). Microseconds to a
// few milliseconds once the counter is built; safe on any thread.
Hint HintFor(const CompletionCounter& counter, const BoardCells& board, int level, const std::vector<char>& placedOrder,
             bool finishedIsNew);

// The whole hint, for a worker thread: the frame's counter (built when the
// frame is new to the program) and, for a finished board, the register in the
// program folder, whose failure to read the hint tells.
Hint WorkOutHint(const BoardCells& board, int level, const std::vector<char>& placedOrder,
                 const std::string& programDir);

}  // namespace tilvaren
