#include "board/Recognition.hpp"

#include <algorithm>

namespace tilvaren {

namespace {

// Codes a candidate placement may lie on: empty and selected cells.
constexpr std::array<unsigned char, 256> kFreeCode = [] {
    std::array<unsigned char, 256> free{};
    free[static_cast<unsigned char>(kEmpty)] = 1;
    free[static_cast<unsigned char>(kSelected)] = 1;
    return free;
}();

}  // namespace

int CountPlacements(Board& board, const TrialShape& shape) {
    const int m = board.SelectedCount;
    if (m <= 0 || board.SelectionOverflow) return 0;
    const int f = board.SelectedCells[0];
    const auto [lowest, highest] = std::minmax_element(shape.begin(), shape.end());
    const char* codes = board.Bsts.data();
    const auto isFree = [codes](int g) -> unsigned { return kFreeCode[static_cast<unsigned char>(codes[g])]; };

    int count = 0;
    for (std::size_t a = 0; a < 5; ++a) {
        const int origin = f - shape[a];
        if (origin + *lowest < 0 || origin + *highest >= kGridSize) continue;
        const int c0 = origin + shape[0];
        const int c1 = origin + shape[1];
        const int c2 = origin + shape[2];
        const int c3 = origin + shape[3];
        const int c4 = origin + shape[4];

        // The cell on f is always one of the five (j = a); the others are looked up.
        bool coversSelection = true;
        for (int i = 1; i < m; ++i) {
            const int g = board.SelectedCells[static_cast<std::size_t>(i)];
            coversSelection = coversSelection && (g == c0 || g == c1 || g == c2 || g == c3 || g == c4);
        }
        if (!coversSelection) continue;
        // Evaluated without early exits: the outcome is hard to predict.
        if (!(isFree(c0) & isFree(c1) & isFree(c2) & isFree(c3) & isFree(c4))) continue;

        for (const int g : {c0, c1, c2, c3, c4}) {
            const int n = board.ChangeTo59(g);
            if (n >= 0 && n < kCellCount) ++board.BpointCounter[static_cast<std::size_t>(n)];
        }
        ++board.CandidateCount;
        ++count;
    }
    return count;
}

char TestOrientation(Board& board, int k) {
    if (k < 0 || k >= kOrientationCount) {
        Change62ToAlp(k, board.Errors());  // reports the bad number
        return kFlagRuledOut;
    }
    const auto& row = board.OrientationOffsets[static_cast<std::size_t>(k)];
    const TrialShape shape = {0, row[0], row[1], row[2], row[3]};
    if (CountPlacements(board, shape) == 0) return kFlagRuledOut;
    board.FoundLetter = Change62ToAlp(k, board.Errors());
    return kFlagAvailable;
}

void RecognisePiece(Board& board) {
    board.CandidateCount = 0;
    board.BpointCounter.fill(0);
    board.FoundLetter = kBlankLetter;

    for (int k = 0; k < kOrientationCount; ++k) {
        char& flag = board.Psts[static_cast<std::size_t>(k)];
        if (flag == kFlagAvailable) flag = TestOrientation(board, k);
    }

    for (int n = 0; n < kCellCount; ++n) {
        char& cell = board.Bsts[static_cast<std::size_t>(board.GridIndexOf(n))];
        if (cell != kEmpty) continue;
        const int covered = board.BpointCounter[static_cast<std::size_t>(n)];
        if (board.CandidateCount > 0 && covered == board.CandidateCount) {
            cell = kSelected;
        } else if (covered == 0) {
            cell = kBlocked;
        }
    }

    board.CollectCells(kSelected);
    if (board.SelectedCount != kMaxSelected || board.SelectionOverflow || !IsPieceLetter(board.FoundLetter)) {
        return;
    }
    for (int n = 0; n < kCellCount; ++n) {
        char& cell = board.Bsts[static_cast<std::size_t>(board.GridIndexOf(n))];
        if (cell == kBlocked) {
            cell = kEmpty;
        } else if (cell == kSelected) {
            cell = kJustPlaced;
        }
    }
    board.SetPieceFlags(board.FoundLetter, kFlagPlaced);
    std::replace(board.Psts.begin(), board.Psts.end(), kFlagRuledOut, kFlagAvailable);
}

int BestCell(const Board& board) {
    // Without a selection the counters are those of a pass that is over.
    if (board.SelectedCount == 0) return -1;
    int best = -1;
    int bestCount = 0;
    for (int n = 0; n < kCellCount; ++n) {
        if (board.CellCode(n) != kEmpty) continue;
        const int count = board.BpointCounter[static_cast<std::size_t>(n)];
        if (count > bestCount) {
            best = n;
            bestCount = count;
        }
    }
    return best;
}

}  // namespace tilvaren
