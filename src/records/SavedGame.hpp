#pragma once

#include <string>

#include "board/Board.hpp"
#include "records/Clock.hpp"
#include "records/GameRecord.hpp"
#include "records/SafeFile.hpp"

namespace tilvaren {

// The board as a saved-game record (marker "0000", no classification).
GameRecord SavedGameRecord(const Board& board);

// Rewrites "Tilvaren.tmp" in the program folder (a path ending in '/') with
// the board, safely: on failure the old file stays whole.
FileResult SavedGameWrite(const Board& board, const std::string& programDir, const Clock& clock);

// What start-up found in the saved-game file.
struct SavedGameReadResult {
    enum class Outcome {
        NoFile,      // nothing saved: the board stays as reset
        Restored,    // the saved board is in `record`
        Rejected,    // the file could not be trusted or read; set aside when it could be
    };
    Outcome outcome = Outcome::NoFile;
    MarkedText problem;  // why it was rejected, for the message to the player
    std::string keptAs;   // the name it was set aside under; empty: it is still "Tilvaren.tmp"
    GameRecord record;    // what was saved, when restored
};

// Reads "Tilvaren.tmp". A file that cannot be read or trusted is moved to the
// first free name of "Tilvaren.tmp.bad", "Tilvaren.tmp.bad.2", ..., so that
// neither the next close nor a later rejection destroys it.
SavedGameReadResult SavedGameRead(const std::string& programDir);

}  // namespace tilvaren
