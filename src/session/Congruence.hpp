#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "board/Board.hpp"
#include "records/RegisterReport.hpp"
#include "session/Completion.hpp"

namespace tilvaren {

// What the congruence check tells the player about a board, as facts.
struct CongruenceAnswer {
    enum class Kind {
        Solution,  // a finished board: its `number`, and whether its class is new (`isNew`) or found on `firstDate`
        DeadEnd,   // no way left to finish the board
        Open,      // `distinct` solutions left (`ways` with every image), `distinctFound` of them in the register
    };
    Kind kind = Kind::Open;
    int frameY = 6;
    int number = 0;
    bool isNew = false;
    std::string firstDate{};
    std::size_t distinct = 0;
    std::size_t ways = 0;
    std::size_t distinctFound = 0;
    std::string unreadable{};     // the register's name when it could not be read: nothing is said of it
    std::size_t frameTotal = 0;   // the frame's distinct solutions
    std::size_t registerHolds = 0;  // how many of them the register holds

    friend bool operator==(const CongruenceAnswer&, const CongruenceAnswer&) = default;
};

// The check's answer for the board: for a finished board, its number and
// whether its class (turned or mirrored alike) was in the register before;
// for any other board, how many ways it can still be completed and how many
// of those are already found; and how much of the frame the register holds.
// `report` is the register as read (none when it could not be read); its
// last line is the one a completion just appended.
CongruenceAnswer CongruenceAnswerFor(const CompletionCounter& counter, const RegisterReport* report,
                                     const BoardCells& board);

// The whole check for the board against the register in the program folder:
// the frame's solutions (worked out once per frame and kept), the register
// read afresh, and the answer. Slow on a frame's first use: for a worker thread.
CongruenceAnswer CheckCongruence(const BoardCells& board, const std::string& programDir);

// For a finished board, just appended to the register in the program folder:
// whether its class was new there, as the check tells it; none when the
// register cannot be read. Reads the file: for a worker thread.
std::optional<bool> FinishedIsNew(const CompletionCounter& counter, const BoardCells& board,
                                  const std::string& programDir);

}  // namespace tilvaren
