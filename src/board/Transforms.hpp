#pragma once

#include "board/Board.hpp"

namespace tilvaren {

// Half turn of the frame contents: cell codes and BpointCounter move together.
void TurnBoard(Board& board);
// Left-right mirror of the frame contents, codes and counters together.
void MirrorBoard(Board& board);
// Permute the flags of the pieces not on the board so that they describe the
// turned (mirrored) cells; always run right after TurnBoard (MirrorBoard).
void TurnPieceFlags(Board& board);
void MirrorPieceFlags(Board& board);

// The grid index of the U piece's cup cell, or -1 when no cell holds "U".
// Refills SelectedCells with the U cells, as the normal-position step does.
int CupCell(Board& board);

// Brings a started 6 x 10 board with a U on it into the normal position, with
// the U's cup cell in the upper-left quarter. Anything else is left alone.
// Does not redraw.
void CorrectU(Board& board);

}  // namespace tilvaren
