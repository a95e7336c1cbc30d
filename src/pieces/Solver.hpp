#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "pieces/Catalogue.hpp"

namespace tilvaren {

// A filled frame: the piece letter of each cell, by cell number (row by row).
using FilledFrame = std::array<char, 60>;

// Every way to fill the frame of the given height (3..6) with the twelve
// pieces, each image under turning and mirroring counted on its own, sorted.
// Any other height gives no solutions.
std::vector<FilledFrame> SolveFrame(int frameY);

// Everything the program knows of one frame's solutions.
struct SolvedFrame {
    // One image: the cells of each piece (bit n = cell n, by piece number F..Z)
    // and its class's place in `distinct`.
    struct Image {
        std::array<std::uint64_t, kPieceCount> pieces;
        std::uint32_t distinctId;
    };
    std::vector<FilledFrame> images;    // SolveFrame's answer
    std::vector<FilledFrame> distinct;  // one board per class under turning and mirroring, its smallest image, sorted
    std::vector<Image> byClass;         // every image, the images of one class side by side
};

// SolveFrame's answer with its classes, uncached: the work behind SolvedFrameOf.
SolvedFrame SolveWhole(int frameY);

// The frame's solutions, worked out by the first caller that needs them and
// kept for the program's life, shared by everything that needs them; callers
// wanting the same frame at once wait for that one search. Slow on a frame's
// first use; empty for any other height.
const SolvedFrame& SolvedFrameOf(int frameY);
// The same once it is worked out, else none; never waits.
const SolvedFrame* SolvedFrameIfReady(int frameY);

// Shorthands for SolvedFrameOf's distinct boards.
inline const std::vector<FilledFrame>& FrameDistinct(int frameY) { return SolvedFrameOf(frameY).distinct; }
inline std::vector<FilledFrame> DistinctSolutions(int frameY) { return FrameDistinct(frameY); }

// The solution's fixed number in its frame, 1-based: the place of its smallest
// image among the frame's sorted distinct solutions, the same on every machine.
// All four images of a board get the same number; a board that is no solution
// of the frame gets 0.
int SolutionNumber(const FilledFrame& board, int frameY);

// The board turned by half a turn, and mirrored left to right.
FilledFrame TurnedFrame(const FilledFrame& frame);
FilledFrame MirroredFrame(const FilledFrame& frame, int frameY);
// The board's four images: itself, turned, mirrored, and turned then mirrored.
std::array<FilledFrame, 4> FrameImages(const FilledFrame& frame, int frameY);
// The smallest of the four images of the board.
FilledFrame CanonicalFrame(const FilledFrame& frame, int frameY);

}  // namespace tilvaren
