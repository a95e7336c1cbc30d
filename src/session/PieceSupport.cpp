#include "session/PieceSupport.hpp"

#include <algorithm>
#include <climits>

namespace tilvaren {

std::array<PieceLook, kPieceCount> PieceLooksFor(const Board& board) {
    std::array<PieceLook, kPieceCount> looks{};
    for (int i = 0; i < kPieceCount; ++i) looks[static_cast<std::size_t>(i)] = PieceLookOf(board, i);
    return looks;
}

namespace {

std::array<ShapeCell, 5> FewestRowsShape(int piece) {
    std::array<ShapeCell, 5> best{};
    int bestRows = INT_MAX;
    const int first = kFirstOrientation[static_cast<std::size_t>(piece)];
    for (int k = first; k < first + kOrientationsOfPiece[static_cast<std::size_t>(piece)]; ++k) {
        std::array<ShapeCell, 5> cells{};
        std::copy_n(kOrientationCells[static_cast<std::size_t>(k)].begin(), 4, cells.begin() + 1);
        int rows = 0;
        int left = 0;
        for (const ShapeCell& c : cells) {
            rows = std::max(rows, c.row + 1);
            left = std::min(left, c.column);
        }
        if (rows >= bestRows) continue;
        bestRows = rows;
        for (ShapeCell& c : cells) c.column -= left;
        best = cells;
    }
    return best;
}

}  // namespace

std::array<ShapeCell, 5> StripShapeOf(int piece) {
    // Worked out once: the strip asks for every piece at every repaint.
    static const std::array<std::array<ShapeCell, 5>, kPieceCount> shapes = [] {
        std::array<std::array<ShapeCell, 5>, kPieceCount> all{};
        for (int i = 0; i < kPieceCount; ++i) all[static_cast<std::size_t>(i)] = FewestRowsShape(i);
        return all;
    }();
    if (piece < 0 || piece >= kPieceCount) return {};
    return shapes[static_cast<std::size_t>(piece)];
}

SupportLine CompletionLine(std::optional<CompletionCounter::Count> count) {
    if (!count) return {SupportLine::Kind::Counting};
    if (count->ways == 0) return {SupportLine::Kind::CannotFinish};
    // The distinct count, as the options dialog and the check give it, so the
    // numbers a player sees agree and do not jump by four after the first piece.
    return {SupportLine::Kind::Left, count->distinct};
}

SupportLine CountCompletionLine(const BoardCells& board) {
    if (board.allPlaced) return {SupportLine::Kind::Finished};
    return CompletionLine(CompletionCounter(board.frameY).CountFor(board));
}

SupportPicture SupportPictureFor(const Board& board) {
    SupportPicture picture;
    picture.looks = PieceLooksFor(board);
    if (!BuiltCompletionCounter(board.FrameY())) picture.line = CompletionLine(std::nullopt);
    return picture;
}

}  // namespace tilvaren
