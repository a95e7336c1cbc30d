#include "session/Hints.hpp"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <tuple>
#include <unordered_map>

#include "records/FileNames.hpp"
#include "session/Congruence.hpp"

namespace tilvaren {

namespace {

constexpr std::uint64_t Bit(int n) { return std::uint64_t{1} << n; }

std::vector<int> CellsOf(std::uint64_t mask) {
    std::vector<int> cells;
    for (int n = 0; n < kCellCount; ++n) {
        if ((mask & Bit(n)) != 0) cells.push_back(n);
    }
    return cells;
}

// The cells holding this code.
std::uint64_t CellsWith(const BoardCells& board, char code) {
    std::uint64_t mask = 0;
    for (int n = 0; n < kCellCount; ++n) {
        if (board.codes[static_cast<std::size_t>(n)] == code) mask |= Bit(n);
    }
    return mask;
}

BoardCells Without(BoardCells board, std::uint64_t cells) {
    for (int n = 0; n < kCellCount; ++n) {
        if ((cells & Bit(n)) != 0) board.codes[static_cast<std::size_t>(n)] = kEmpty;
    }
    return board;
}

// The placed piece whose removal brings back the most completions of `board`
// (which holds no selection).
Hint PieceToTakeBack(const CompletionCounter& counter, const BoardCells& board, const std::vector<char>& placedOrder) {
    int best = -1;
    CompletionCounter::Count bestCount;
    int bestRank = INT_MIN;
    for (int piece = 0; piece < kPieceCount; ++piece) {
        const std::uint64_t cells = CellsWith(board, kPieceLetters[static_cast<std::size_t>(piece)]);
        if (cells == 0) continue;
        const CompletionCounter::Count count = counter.CountFor(Without(board, cells));
        const auto listed = std::find(placedOrder.rbegin(), placedOrder.rend(), kPieceLetters[static_cast<std::size_t>(piece)]);
        const int rank = listed == placedOrder.rend() ? -1 : static_cast<int>(placedOrder.rend() - listed);
        if (best < 0 || count.ways > bestCount.ways || (count.ways == bestCount.ways && rank > bestRank)) {
            best = piece;
            bestCount = count;
            bestRank = rank;
        }
    }
    Hint hint;
    if (best < 0) {
        hint.kind = Hint::Kind::Unfinishable;
        return hint;
    }
    hint.piece = best;
    hint.cells = CellsOf(CellsWith(board, kPieceLetters[static_cast<std::size_t>(best)]));
    // Weighed by ways, told as the strip counts: in distinct solutions.
    hint.kind = bestCount.ways > 0 ? Hint::Kind::TakeBack : Hint::Kind::TakeBackFirst;
    hint.count = bestCount.distinct;
    return hint;
}

Hint DeadEnd(const CompletionCounter& counter, const BoardCells& board, const std::vector<char>& placedOrder) {
    const std::uint64_t selection = CellsWith(board, kSelected);
    const BoardCells unselected = Without(board, selection);
    if (selection != 0 && counter.CountFor(unselected).ways > 0) {
        Hint hint;
        hint.cells = CellsOf(selection);
        hint.kind = Hint::Kind::SelectionUnusable;
        return hint;
    }
    return PieceToTakeBack(counter, unselected, placedOrder);
}

// A piece on its five cells, as one key: the cells in bits 0..59, the piece above.
constexpr std::uint64_t PlacementKey(int piece, std::uint64_t cells) {
    return cells | (static_cast<std::uint64_t>(piece) << kCellCount);
}
constexpr int PieceOfKey(std::uint64_t key) { return static_cast<int>(key >> kCellCount); }
constexpr std::uint64_t CellsOfKey(std::uint64_t key) { return key & (Bit(kCellCount) - 1); }

}  // namespace

Hint HintFor(const CompletionCounter& counter, const BoardCells& board, int level, const std::vector<char>& placedOrder,
             bool finishedIsNew) {
    if (board.frameY == counter.FrameY() && IsFinished(board)) {
        Hint hint;
        hint.kind = finishedIsNew ? Hint::Kind::FinishedNew : Hint::Kind::FinishedBefore;
        return hint;
    }
    // Every placement of a piece not yet on the board, with how many
    // completions use it; placed pieces lie where the board has them.
    std::uint16_t placedPieces = 0;
    for (const char code : board.codes) {
        if (IsPieceLetter(code)) placedPieces |= static_cast<std::uint16_t>(1U << PieceNumberOf(code));
    }
    std::unordered_map<std::uint64_t, std::size_t> placements;
    placements.reserve(4096);
    const std::size_t ways = counter.ForEachCompletion(board, [&](const CompletionCounter::PieceCells& pieces) {
        for (int piece = 0; piece < kPieceCount; ++piece) {
            if ((placedPieces & (1U << piece)) != 0) continue;
            ++placements[PlacementKey(piece, pieces[static_cast<std::size_t>(piece)])];
        }
    });
    if (ways == 0) return DeadEnd(counter, board, placedOrder);

    // Level 1: the free cell fewest placements can cover.
    const std::uint64_t free = CellsWith(board, kEmpty) | CellsWith(board, kBlocked);
    std::array<int, kCellCount> covering{};
    for (const auto& [key, uses] : placements) {
        const std::uint64_t cells = CellsOfKey(key) & free;
        for (int n = 0; n < kCellCount; ++n) {
            if ((cells & Bit(n)) != 0) ++covering[static_cast<std::size_t>(n)];
        }
    }
    int cell = -1;
    for (int n = 0; n < kCellCount; ++n) {
        if ((free & Bit(n)) == 0) continue;
        if (cell < 0 || covering[static_cast<std::size_t>(n)] < covering[static_cast<std::size_t>(cell)]) cell = n;
    }
    Hint hint;
    if (cell < 0) {
        // Only selected cells are free: the selection itself is the next piece.
        hint.kind = Hint::Kind::PlaceSelection;
        return hint;
    }
    hint.level = std::clamp(level, 1, kHintLevels);
    hint.cells = {cell};
    if (hint.level == 1) {
        hint.kind = Hint::Kind::Where;
        hint.count = static_cast<std::size_t>(covering[static_cast<std::size_t>(cell)]);
        return hint;
    }

    // Level 2: the piece over that cell in the most completions.
    std::array<std::size_t, kPieceCount> byPiece{};
    for (const auto& [key, uses] : placements) {
        if ((CellsOfKey(key) & Bit(cell)) != 0) byPiece[static_cast<std::size_t>(PieceOfKey(key))] += uses;
    }
    const int named = static_cast<int>(std::max_element(byPiece.begin(), byPiece.end()) - byPiece.begin());
    if (hint.level == 2) {
        hint.piece = named;
        // A share, not a count: on a board a turn or a mirror maps onto
        // itself the completions counted here are more than the strip's.
        hint.kind = Hint::Kind::Which;
        hint.count = (byPiece[static_cast<std::size_t>(named)] * 100 + ways / 2) / ways;
        return hint;
    }

    // Level 3: the placement of the piece level 2 names, over that cell,
    // that keeps the most completions; of equals, the lowest key.
    std::uint64_t best = 0;
    std::size_t bestUses = 0;
    for (const auto& [key, uses] : placements) {
        if ((CellsOfKey(key) & Bit(cell)) == 0 || PieceOfKey(key) != named) continue;
        if (bestUses == 0 || std::tuple(uses, ~key) > std::tuple(bestUses, ~best)) {
            best = key;
            bestUses = uses;
        }
    }
    hint.piece = PieceOfKey(best);
    hint.cells = CellsOf(CellsOfKey(best));
    // What the strip will say once it is placed.
    BoardCells placed = board;
    for (const int n : hint.cells) placed.codes[static_cast<std::size_t>(n)] = kPieceLetters[static_cast<std::size_t>(hint.piece)];
    hint.kind = Hint::Kind::Place;
    hint.count = counter.CountFor(placed).distinct;
    return hint;
}

Hint WorkOutHint(const BoardCells& board, int level, const std::vector<char>& placedOrder,
                 const std::string& programDir) {
    const CompletionCounter counter(board.frameY);
    if (!IsFinished(board)) return HintFor(counter, board, level, placedOrder, false);
    const std::optional<bool> isNew = FinishedIsNew(counter, board, programDir);
    Hint hint = HintFor(counter, board, level, placedOrder, isNew.value_or(false));
    if (!isNew) {
        hint.kind = Hint::Kind::FinishedUnknown;
        hint.file = kSolutionFile;
    }
    return hint;
}

}  // namespace tilvaren
