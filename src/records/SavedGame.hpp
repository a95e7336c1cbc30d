#pragma once

#include <string>

#include "board/Board.hpp"
#include "board/GameView.hpp"
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
        Restored,    // the saved board is on the board now
        Rejected,    // the file could not be trusted or read; set aside when it could be
    };
    Outcome outcome = Outcome::NoFile;
    std::string problem;  // why it was rejected, for the message to the player
    std::string keptAs;   // the name it was set aside under; empty: it is still "Tilvaren.tmp"
};

// Reads "Tilvaren.tmp" and restores it over the reset board. A file that
// cannot be read or trusted leaves the board as it was and is moved to the
// first free name of "Tilvaren.tmp.bad", "Tilvaren.tmp.bad.2", ..., so that
// neither the next close nor a later rejection destroys it.
SavedGameReadResult SavedGameRead(Board& board, GameView& view, const std::string& programDir);

// Fills the board from a record: the frame first (reset when it changes),
// then the 60 cells, the piece flags, and the frame and edit menus.
void SavedGameRestore(Board& board, GameView& view, const GameRecord& record);

// Derives the piece flags and GameStarted from the cells; a finished board
// starts a new game on the same frame.
void SavedGamePiecesSet(Board& board, GameView& view);

// The message for the player when a saved game was rejected: why, and where
// the file was kept or that the next save will replace it.
std::string SavedGameRejectedMessage(const SavedGameReadResult& result);

}  // namespace tilvaren
