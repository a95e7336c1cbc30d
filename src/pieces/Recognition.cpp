#include "pieces/Recognition.hpp"

#include <algorithm>

namespace tilvaren {

int CountPlacements(Board& board, const TrialShape& shape) {
    const int m = board.SelectedCount;
    if (m <= 0 || board.SelectionOverflow) return 0;
    const int f = board.SelectedCells[0];
    int count = 0;
    for (int a = 0; a < 5; ++a) {
        std::array<int, 5> cells{};
        for (std::size_t j = 0; j < 5; ++j) cells[j] = f + shape[j] - shape[static_cast<std::size_t>(a)];

        int hits = 0;
        for (int i = 0; i < m; ++i) {
            const int selected = board.SelectedCells[static_cast<std::size_t>(i)];
            if (std::find(cells.begin(), cells.end(), selected) != cells.end()) ++hits;
        }
        if (hits != m) continue;

        const bool free = std::all_of(cells.begin(), cells.end(), [&board](int g) {
            if (g < 0 || g >= kGridSize) return false;
            const char code = board.Bsts[static_cast<std::size_t>(g)];
            return code == kEmpty || code == kSelected;
        });
        if (!free) continue;

        for (const int g : cells) {
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
    int best = -1;
    int bestCount = 0;
    for (int n = 0; n < kCellCount; ++n) {
        const int count = board.BpointCounter[static_cast<std::size_t>(n)];
        if (count > bestCount) {
            best = n;
            bestCount = count;
        }
    }
    return best;
}

}  // namespace tilvaren
