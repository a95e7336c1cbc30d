#pragma once

#include <string>

#include "board/Board.hpp"
#include "records/Clock.hpp"
#include "records/GameRecord.hpp"
#include "records/SafeFile.hpp"

namespace tilvaren {

// How a finished 6 x 10 board in normal position is classified by its U.
struct UClassification {
    std::string cupPosition = "--";  // the cup's row + 1 and column + 1, e.g. "24"
    char opening = '-';              // 'N', 'S', 'E' or 'W': the side the U opens to
    char cupLetter = '-';            // the piece that fills the cup
};

// Classifies the U of a 6 x 10 board; "--", "-", "-" for other frames or when
// there is no U on the board.
UClassification SolutionClassify(const Board& board);

// The finished board as a register record (marker "0001").
GameRecord SolutionRecord(const Board& board);

// Creates an empty "Tilvaren.csv" in the program folder if there is none.
FileResult SolutionFileEnsure(const std::string& programDir);

// Appends the finished board to "Tilvaren.csv", flushed to disk, on a line of
// its own. The register must exist; on failure it keeps exactly the bytes it had.
FileResult SolutionAppend(const Board& board, const std::string& programDir, const Clock& clock);

}  // namespace tilvaren
