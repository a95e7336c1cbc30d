#include "board/Transforms.hpp"

#include <utility>

namespace tilvaren {

namespace {

void SwapCells(Board& board, int a, int b) {
    std::swap(board.Bsts[static_cast<std::size_t>(board.GridIndexOf(a))],
              board.Bsts[static_cast<std::size_t>(board.GridIndexOf(b))]);
    std::swap(board.BpointCounter[static_cast<std::size_t>(a)], board.BpointCounter[static_cast<std::size_t>(b)]);
}

// Position pairs (relative to a piece's first orientation) whose flags a
// transform exchanges, per piece number in catalogue order.
struct SwapPairs {
    int count;
    std::pair<int, int> pairs[4];
};

// clang-format off
constexpr SwapPairs kTurnPairs[kPieceCount] = {
    {4, {{0, 2}, {1, 3}, {4, 6}, {5, 7}}},  // F
    {0, {}},                                // I
    {4, {{0, 2}, {1, 3}, {4, 6}, {5, 7}}},  // L
    {4, {{0, 2}, {1, 3}, {4, 6}, {5, 7}}},  // N
    {4, {{0, 2}, {1, 3}, {4, 6}, {5, 7}}},  // P
    {2, {{0, 2}, {1, 3}}},                  // T
    {2, {{0, 2}, {1, 3}}},                  // U
    {2, {{0, 2}, {1, 3}}},                  // V
    {2, {{0, 2}, {1, 3}}},                  // W
    {0, {}},                                // X
    {4, {{0, 2}, {1, 3}, {4, 6}, {5, 7}}},  // Y
    {0, {}},                                // Z
};
constexpr SwapPairs kMirrorPairs[kPieceCount] = {
    {4, {{0, 4}, {1, 7}, {2, 6}, {3, 5}}},  // F
    {0, {}},                                // I
    {4, {{0, 4}, {1, 7}, {2, 6}, {3, 5}}},  // L
    {4, {{0, 4}, {1, 7}, {2, 6}, {3, 5}}},  // N
    {4, {{0, 4}, {1, 7}, {2, 6}, {3, 5}}},  // P
    {1, {{1, 3}}},                          // T
    {1, {{1, 3}}},                          // U
    {2, {{0, 3}, {1, 2}}},                  // V
    {2, {{0, 3}, {1, 2}}},                  // W
    {0, {}},                                // X
    {4, {{0, 4}, {1, 7}, {2, 6}, {3, 5}}},  // Y
    {2, {{0, 3}, {1, 2}}},                  // Z
};
// clang-format on

void PermuteFlags(Board& board, const SwapPairs (&table)[kPieceCount]) {
    for (int i = 0; i < kPieceCount; ++i) {
        const char letter = Change11ToAlp(i, board.Errors());
        const int first = ChangeToNum(std::string_view(&letter, 1), board.Errors());
        if (first == kBadNumber || board.Psts[static_cast<std::size_t>(first)] == kFlagPlaced) continue;
        const SwapPairs& swaps = table[i];
        for (int p = 0; p < swaps.count; ++p) {
            std::swap(board.Psts[static_cast<std::size_t>(first + swaps.pairs[p].first)],
                      board.Psts[static_cast<std::size_t>(first + swaps.pairs[p].second)]);
        }
    }
}

}  // namespace

void TurnBoard(Board& board) {
    for (int n = 0; n < kCellCount / 2; ++n) SwapCells(board, n, kCellCount - 1 - n);
}

void MirrorBoard(Board& board) {
    for (int c = 0; c < board.FrameX() / 2; ++c) {
        for (int r = 0; r < board.FrameY(); ++r) {
            SwapCells(board, r * board.FrameX() + c, r * board.FrameX() + board.FrameX() - 1 - c);
        }
    }
}

void TurnPieceFlags(Board& board) { PermuteFlags(board, kTurnPairs); }

void MirrorPieceFlags(Board& board) { PermuteFlags(board, kMirrorPairs); }

int CupCell(Board& board) {
    if (!board.CollectCells('U')) return -1;
    const auto isU = [&board](int g) { return board.Bsts[static_cast<std::size_t>(g)] == 'U'; };
    const int a = board.SelectedCells[0];
    if (!isU(a + 1)) return a + 1;
    if (!isU(a + board.GridStride())) return a + board.GridStride();
    return a + board.GridStride() + 1;
}

void CorrectU(Board& board) {
    if (!board.GameStarted || board.FrameY() != 6) return;
    const int cup = CupCell(board);
    if (cup < 0) return;
    const int n = board.ChangeTo59(cup);
    if (n == kBadCellNumber) return;
    const bool upper = n / board.FrameX() < 3;
    const bool left = n % board.FrameX() < 5;
    if (upper && left) return;
    if (upper) {
        MirrorBoard(board);
        MirrorPieceFlags(board);
    } else if (left) {
        TurnBoard(board);
        TurnPieceFlags(board);
        MirrorBoard(board);
        MirrorPieceFlags(board);
    } else {
        TurnBoard(board);
        TurnPieceFlags(board);
    }
}

}  // namespace tilvaren
