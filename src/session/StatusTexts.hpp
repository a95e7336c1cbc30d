#pragma once

#include <string>

#include "board/Board.hpp"

namespace tilvaren {

// Where piece i stands: still possible, on the board, or ruled out by the
// selection (also for a number that is no piece's).
enum class PieceLook { Plain, Placed, RuledOut };
PieceLook PieceLookOf(const Board& board, int piece);

// The text of piece i's panel: " " when it is on the board, its letter while
// one of its orientations is still available, "-" when all are ruled out.
std::string PiecePanelText(int piece, PieceLook look);

// A standing in words, as the status bar and the strip tell it to a screen
// reader: "置ける", "盤上" or "置けない".
std::string LookWords(PieceLook look);

// What a screen reader says of piece i's panel: "ピース F 盤上".
std::string PiecePanelName(int piece, PieceLook look);

// What a screen reader says of cell n: its row and column from 1 and what it
// holds, "2行 5列 空き", "選択中", "使えない" or "ピース F".
std::string CellName(const Board& board, int n);

}  // namespace tilvaren
