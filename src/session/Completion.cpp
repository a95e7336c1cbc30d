#include "session/Completion.hpp"

#include <algorithm>

namespace tilvaren {

BoardCells::BoardCells(const Board& board) : frameY(board.FrameY()), allPlaced(board.AllPiecesPlaced()) {
    for (int n = 0; n < kCellCount; ++n) {
        // A just placed piece wears its letter only after the redraw, and
        // without a recognised letter the redraw frees it.
        char code = board.CellCode(n);
        if (code == kJustPlaced) code = IsPieceLetter(board.FoundLetter) ? board.FoundLetter : kEmpty;
        codes[static_cast<std::size_t>(n)] = code;
    }
}

namespace {

constexpr std::uint64_t Bit(int n) { return std::uint64_t{1} << n; }

// What a board fixes: the cells of each placed piece and the selection.
struct Pattern {
    bool possible = true;
    int placedCount = 0;
    std::array<std::size_t, kPieceCount> placedPiece{};
    std::array<std::uint64_t, kPieceCount> placedCells{};
    std::uint64_t selection = 0;
};

Pattern ReadPattern(const BoardCells& board, int frameY) {
    Pattern pattern;
    if (board.frameY != frameY || !IsFrameHeight(frameY)) {
        pattern.possible = false;
        return pattern;
    }
    std::array<std::uint64_t, kPieceCount> cells{};
    for (int n = 0; n < kCellCount; ++n) {
        const char code = board.codes[static_cast<std::size_t>(n)];
        const int piece = PieceNumberOf(code);
        if (piece >= 0) {
            cells[static_cast<std::size_t>(piece)] |= Bit(n);
        } else if (code == kSelected) {
            pattern.selection |= Bit(n);
        } else if (code != kEmpty && code != kBlocked) {
            pattern.possible = false;
        }
    }
    for (std::size_t p = 0; p < cells.size(); ++p) {
        if (cells[p] == 0) continue;
        const auto i = static_cast<std::size_t>(pattern.placedCount++);
        pattern.placedPiece[i] = p;
        pattern.placedCells[i] = cells[p];
    }
    return pattern;
}

}  // namespace

std::optional<CompletionCounter> BuiltCompletionCounter(int frameY) {
    const SolvedFrame* solved = SolvedFrameIfReady(frameY);
    if (solved == nullptr) return std::nullopt;
    return CompletionCounter(frameY, *solved);
}

template <typename Match>
std::size_t CompletionCounter::ForEachMatch(const BoardCells& board, Match&& match) const {
    const Pattern pattern = ReadPattern(board, frameY_);
    if (!pattern.possible) return 0;
    const std::uint64_t selection = pattern.selection;
    std::size_t ways = 0;
    for (const Image& image : solved_->byClass) {
        bool fits = true;
        for (int i = 0; i < pattern.placedCount && fits; ++i) {
            const auto at = static_cast<std::size_t>(i);
            fits = image.pieces[pattern.placedPiece[at]] == pattern.placedCells[at];
        }
        if (!fits) continue;
        if (selection != 0) {
            // Placed pieces match exactly and hold no selected cell, so a
            // piece that holds the whole selection is one not yet placed.
            fits = std::any_of(image.pieces.begin(), image.pieces.end(),
                               [selection](std::uint64_t cells) { return (cells & selection) == selection; });
            if (!fits) continue;
        }
        ++ways;
        match(image);
    }
    return ways;
}

CompletionCounter::Count CompletionCounter::CountFor(const BoardCells& board) const {
    Count count;
    std::uint32_t last = 0;
    count.ways = ForEachMatch(board, [&count, &last](const Image& image) {
        const std::uint32_t id = image.distinctId;
        if (count.distinct == 0 || id != last) ++count.distinct;
        last = id;
    });
    return count;
}

std::vector<FilledFrame> CompletionCounter::DistinctFor(const BoardCells& board) const {
    std::vector<FilledFrame> result;
    std::uint32_t last = 0;
    ForEachMatch(board, [this, &result, &last](const Image& image) {
        const std::uint32_t id = image.distinctId;
        if (result.empty() || id != last) result.push_back(solved_->distinct[id]);
        last = id;
    });
    return result;
}

std::size_t CompletionCounter::ForEachCompletion(const BoardCells& board,
                                                 const std::function<void(const PieceCells&)>& use) const {
    return ForEachMatch(board, [&use](const Image& image) { use(image.pieces); });
}

bool IsFinished(const BoardCells& board) {
    return std::all_of(board.codes.begin(), board.codes.end(), [](char code) { return IsPieceLetter(code); });
}

}  // namespace tilvaren
