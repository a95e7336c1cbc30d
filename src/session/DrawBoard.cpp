#include "session/DrawBoard.hpp"

namespace tilvaren {

int PieceTileCode(const Board& board, int g, char code) {
    const auto same = [&board, code](int neighbour) {
        return neighbour >= 0 && neighbour < kGridSize && board.Bsts[static_cast<std::size_t>(neighbour)] == code;
    };
    const int row = board.GridStride();
    const bool n = same(g - row), e = same(g + 1), s = same(g + row), w = same(g - 1);
    const int sides = (n ? 1000 : 0) + (e ? 100 : 0) + (s ? 10 : 0) + (w ? 1 : 0);
    const int inside = (n && e && same(g - row + 1) ? 1000 : 0) + (s && e && same(g + row + 1) ? 100 : 0) +
                       (s && w && same(g + row - 1) ? 10 : 0) + (n && w && same(g - row - 1) ? 1 : 0);
    return 10000 * inside + sides;
}

CellTarget DecideCell(const Board& board, int n) {
    const int g = board.GridIndexOf(n);
    if (g < 0) return {};
    const char code = board.Bsts[static_cast<std::size_t>(g)];
    const CellLabel label = CellLabelOf(board, n);
    switch (code) {
        case kEmpty:
            return {true, false, false, 0, label};
        case kSelected:
            return {false, true, true, 0, label};
        case kBlocked:
            return {false, true, false, kBlockedTileCode, label};
        default:
            return {false, true, true, PieceTileCode(board, g, code), label};
    }
}

void DrawBoard(Board& board, CellPainter& painter) {
    // Only a recognised letter may stand on the board; "3" cells without one
    // could only come from a damaged state and are freed before deciding.
    if (!IsPieceLetter(board.FoundLetter)) board.ReplaceCode(kJustPlaced, kEmpty);

    std::array<CellTarget, kCellCount> targets;
    for (int n = 0; n < kCellCount; ++n) targets[static_cast<std::size_t>(n)] = DecideCell(board, n);

    for (int n = 0; n < kCellCount; ++n) {
        const auto g = static_cast<std::size_t>(board.GridIndexOf(n));
        if (board.Bsts[g] != board.DrawnBsts[g]) painter.ApplyCell(n, targets[static_cast<std::size_t>(n)]);
    }

    board.ReplaceCode(kJustPlaced, board.FoundLetter);
    board.DrawnBsts = board.Bsts;
}

}  // namespace tilvaren
