#pragma once

#include "board/Board.hpp"
#include "session/GameView.hpp"

namespace tilvaren {

// A click on the button of empty cell n: select it, re-evaluate, redraw and,
// when the last piece was placed, congratulate, normalise and record. A bad
// cell number is reported and ignored; a click on a cell that is not empty
// (a stale event) changes nothing.
void SelectCell(Board& board, GameView& view, int n);

// A click on the image of cell n: deselect a selected cell or take a placed
// piece back, then re-evaluate and redraw. Clicks on cells that are neither
// selected nor part of a piece change nothing.
void TakeBackCell(Board& board, GameView& view, int n);

}  // namespace tilvaren
