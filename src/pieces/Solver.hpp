#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace tilvaren {

// A filled frame: the piece letter of each cell, by cell number (row by row).
using FilledFrame = std::array<char, 60>;

// Every way to fill the frame of the given height (3..6) with the twelve
// pieces, each image under turning and mirroring counted on its own, sorted.
// Any other height gives no solutions.
std::vector<FilledFrame> SolveFrame(int frameY);

// SolveFrame's answer, worked out once per frame for the program's life and
// shared by everything that needs a frame's solutions; callers wanting the
// same frame at once wait for that one search. Slow on a frame's first use.
const std::vector<FilledFrame>& FrameSolutions(int frameY);

// One board per class of boards that a turn and a mirror map onto each other:
// the smallest of its four images, sorted.
std::vector<FilledFrame> DistinctSolutions(int frameY);

// DistinctSolutions, worked out once per frame for the program's life and
// shared; safe to call from several threads. Empty for any other height.
const std::vector<FilledFrame>& FrameDistinct(int frameY);

// The solution's fixed number in its frame, 1-based: the place of its smallest
// image among the frame's sorted distinct solutions, the same on every machine.
// All four images of a board get the same number; a board that is no solution
// of the frame gets 0.
int SolutionNumber(const FilledFrame& board, int frameY);

// The board turned by half a turn, and mirrored left to right.
FilledFrame TurnedFrame(const FilledFrame& frame);
FilledFrame MirroredFrame(const FilledFrame& frame, int frameY);
// The smallest of the four images of the board.
FilledFrame CanonicalFrame(const FilledFrame& frame, int frameY);

}  // namespace tilvaren
