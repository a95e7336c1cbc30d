#pragma once

#include <string>

#include "board/Board.hpp"

namespace tilvaren {

// The text of piece i's panel: " " when it is on the board, its letter while
// one of its orientations is still available, "-" when all are ruled out.
std::string PiecePanelText(const Board& board, int piece);

}  // namespace tilvaren
