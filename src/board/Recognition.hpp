#pragma once

#include <array>

#include "board/Board.hpp"

namespace tilvaren {

// Grid offsets of the five cells of one orientation relative to its anchor:
// entry 0 is 0, entries 1..4 are the orientation's row of OrientationOffsets.
using TrialShape = std::array<int, 5>;

// Re-evaluates the current selection (SelectedCells) against every orientation
// still flagged available: narrows Psts, refills BpointCounter and
// CandidateCount, selects the cells every candidate covers, blocks the empty
// cells none covers and, when five cells are selected, places the piece (its
// cells become "3", its flags "2", every "0" flag "1"). Nothing is placed
// unless the pass found the piece's letter.
void RecognisePiece(Board& board);

// Tests orientation k against the selection: "1" when it has at least one
// candidate placement (FoundLetter then becomes its letter), otherwise "0".
char TestOrientation(Board& board, int k);

// Counts the candidate placements of one orientation, adding each to
// BpointCounter and CandidateCount.
int CountPlacements(Board& board, const TrialShape& shape);

// The cell whose button SetTabToBestCell puts first in the tab order: the
// empty cell that the most candidate placements of the selection cover (the
// first of equals), so the likeliest next click; -1 when no empty cell is
// covered or nothing is selected.
int BestCell(const Board& board);

}  // namespace tilvaren
