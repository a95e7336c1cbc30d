#pragma once

#include <string>

#include "board/Board.hpp"
#include "records/GameRecord.hpp"
#include "records/SavedGame.hpp"
#include "session/GameView.hpp"

namespace tilvaren {

// Reads "Tilvaren.tmp" from the program folder and restores it over the reset
// board; a rejected file leaves the board as it was (see SavedGameRead).
SavedGameReadResult RestoreSavedGame(Board& board, GameView& view, const std::string& programDir);

// Fills the board from a record: the frame first (reset when it changes),
// then the 60 cells, the piece flags, and the frame and edit menus.
void SavedGameRestore(Board& board, GameView& view, const GameRecord& record);

// Derives the piece flags and GameStarted from the cells; a finished board
// starts a new game on the same frame.
void SavedGamePiecesSet(Board& board, GameView& view);

}  // namespace tilvaren
