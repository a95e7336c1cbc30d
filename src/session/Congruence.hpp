#pragma once

#include <string>

#include "board/Board.hpp"
#include "records/RegisterReport.hpp"
#include "session/Completion.hpp"

namespace tilvaren {

// What the congruence check tells the player about the board, in Japanese:
// for a finished board, its number, whether its class (turned or mirrored
// alike) was in the register before and how many of the frame's solutions the
// register holds; for any other board, how many ways it can still be
// completed, how many distinct solutions that is and how many of those are
// already found. `report` is the register as read (none when it could not be
// read) and `lastLine` the number of its last line, the one a completion just
// appended.
std::string CongruenceText(const CompletionCounter& counter, const RegisterReport* report, std::size_t lastLine,
                           const BoardCells& board);

// The whole check for the board against the register in the program folder:
// the frame's solutions (worked out once per frame and kept), the register
// read afresh, and the text. Slow on a frame's first use: for a worker thread.
std::string CheckCongruence(const BoardCells& board, const std::string& programDir);

}  // namespace tilvaren
