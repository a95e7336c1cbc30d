#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "board/Board.hpp"
#include "pieces/Solver.hpp"

namespace tilvaren {

// What the completion questions read of a board, as plain data a worker
// thread may hold: the frame, each cell's code as the board will be drawn (a
// piece just placed wears its letter, a "3" without one is empty) and whether
// every piece is on the board. A board converts to it, so a caller holding
// the board passes the board itself.
struct BoardCells {
    BoardCells(const Board& board);  // NOLINT(google-explicit-constructor): a board is read as its cells

    int frameY = 6;
    std::array<char, kCellCount> codes{};
    bool allPlaced = false;
};

// How the boards of one frame can still be completed: questions over the
// frame's one kept set of solutions (SolvedFrameOf). Making the first counter
// of a frame solves it (slow, meant for a worker thread); every question after
// that is a filter over the solutions, microseconds, and safe to ask from any
// number of threads at once. A counter is a small value: copy it freely.
//
// The rules: placed pieces (letters, and "3" cells while FoundLetter is a
// piece letter) stay where they are; the selected cells ("1") must all become
// part of one piece not yet placed; empty and blocked cells are free. A board
// of another frame, or with a code no cell can hold, cannot be completed.
class CompletionCounter {
public:
    explicit CompletionCounter(int frameY) : CompletionCounter(frameY, SolvedFrameOf(frameY)) {}
    CompletionCounter(int frameY, const SolvedFrame& solved) : frameY_(frameY), solved_(&solved) {}

    struct Count {
        std::size_t ways = 0;      // solutions, each image counted on its own
        std::size_t distinct = 0;  // classes of solutions under turning and mirroring
    };

    int FrameY() const { return frameY_; }
    // The frame's solutions it asks its questions over.
    const SolvedFrame& Solved() const { return *solved_; }
    // Distinct solutions of the frame: 2339, 1010, 368 or 2 (0 for no frame).
    std::size_t DistinctTotal() const { return solved_->distinct.size(); }

    // How many ways the board can still be completed.
    Count CountFor(const BoardCells& board) const;
    // The distinct solutions the board can still become, each as the smallest
    // of its four images, sorted.
    std::vector<FilledFrame> DistinctFor(const BoardCells& board) const;

    // The cells of each piece (bit n = cell n, by piece number F..Z).
    using PieceCells = std::array<std::uint64_t, kPieceCount>;
    // Calls `use` with every completion of the board, each image on its own;
    // returns how many there were (CountFor's ways).
    std::size_t ForEachCompletion(const BoardCells& board, const std::function<void(const PieceCells&)>& use) const;

private:
    using Image = SolvedFrame::Image;
    // Calls `match(image)` for each image the board can still become, in order
    // of distinct id; returns how many matched.
    template <typename Match>
    std::size_t ForEachMatch(const BoardCells& board, Match&& match) const;

    int frameY_;
    const SolvedFrame* solved_;
};

// The frame's counter when its solutions are already worked out, else none;
// never waits, so the window's thread may ask.
std::optional<CompletionCounter> BuiltCompletionCounter(int frameY);

// True when every cell holds a piece.
bool IsFinished(const BoardCells& board);

}  // namespace tilvaren
