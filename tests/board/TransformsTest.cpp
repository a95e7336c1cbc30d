#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "session/MoveFlow.hpp"
#include "board/Recognition.hpp"
#include "board/Transforms.hpp"
#include "support/TestBoards.hpp"

namespace tilvaren {
namespace {

using testing::Cell;
using testing::MakeBoard;
using testing::Picture;
using testing::RecordingErrorSink;
using testing::RecordingView;
using testing::SetPicture;

void Turn(Board& b) {
    TurnBoard(b);
    TurnPieceFlags(b);
}
void Mirror(Board& b) {
    MirrorBoard(b);
    MirrorPieceFlags(b);
}

// Cell number that a transform moves cell n to.
int TurnedCell(const Board&, int n) { return 59 - n; }
int MirroredCell(const Board& b, int n) { return (n / b.FrameX()) * b.FrameX() + b.FrameX() - 1 - n % b.FrameX(); }

struct TransformCase {
    const char* name;
    std::function<void(Board&)> apply;
    std::function<int(const Board&, int)> moveCell;
};

const TransformCase kTransforms[] = {{"turn", Turn, TurnedCell}, {"mirror", Mirror, MirroredCell}};

// A game in the middle: the I placed along the top and a selection pending.
Board MidGame(ErrorSink& errors, int frameY, RecordingView& view) {
    Board board = MakeBoard(errors, frameY);
    for (const int n : {0, 1, 2, 3, 4}) SelectCell(board, view, n);              // I along the top
    for (const int n : {board.FrameX() * 2 - 1, board.FrameX() - 1}) SelectCell(board, view, n);
    return board;
}

TEST(Transforms, TwiceIsIdentityOnEveryFrame) {
    for (const TransformCase& t : kTransforms) {
        for (const int frameY : {3, 4, 5, 6}) {
            SCOPED_TRACE(std::string(t.name) + " frame " + std::to_string(frameY));
            RecordingErrorSink errors;
            RecordingView view;
            Board board = MidGame(errors, frameY, view);
            const Board before = board;
            t.apply(board);
            EXPECT_NE(board.Bsts, before.Bsts);
            t.apply(board);
            EXPECT_EQ(board.Bsts, before.Bsts);
            EXPECT_EQ(board.BpointCounter, before.BpointCounter);
            EXPECT_EQ(board.Psts, before.Psts);
            EXPECT_TRUE(errors.messages.empty());
        }
    }
}

TEST(Transforms, CellsMoveWithTheirCounters) {
    struct Case {
        int frameY;
        const TransformCase* transform;
        int from;
        int to;
    };
    const Case cases[] = {{3, &kTransforms[0], 0, 59}, {3, &kTransforms[0], 20, 39}, {6, &kTransforms[1], 0, 9},
                          {4, &kTransforms[1], 7, 7},  {4, &kTransforms[1], 22, 22}, {4, &kTransforms[1], 37, 37},
                          {4, &kTransforms[1], 52, 52}, {4, &kTransforms[1], 16, 28}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.transform->name) + " " + std::to_string(c.from));
        RecordingErrorSink errors;
        Board board = MakeBoard(errors, c.frameY);
        for (int n = 0; n < 60; ++n) board.BpointCounter[static_cast<std::size_t>(n)] = 100 + n;
        board.Bsts[static_cast<std::size_t>(board.ChangeTo307(c.from))] = 'W';
        c.transform->apply(board);
        EXPECT_EQ(board.CellCode(c.to), 'W');
        EXPECT_EQ(board.BpointCounter[static_cast<std::size_t>(c.to)], 100 + c.from);
        EXPECT_EQ(std::count(board.Bsts.begin(), board.Bsts.end(), kEmpty), 59);
    }
}

// The flag permutations agree with the geometry: the only available
// orientation of a piece moves to the orientation that has the transformed shape.
TEST(Transforms, FlagsFollowTheShapes) {
    for (const TransformCase& t : kTransforms) {
        for (int k = 0; k < kOrientationCount; ++k) {
            SCOPED_TRACE(std::string(t.name) + " orientation " + std::to_string(k));
            RecordingErrorSink errors;
            Board board = MakeBoard(errors, 6);
            // Place orientation k with its anchor at (1, 4); every piece fits there.
            const int anchor = board.ChangeTo307(Cell(board, 1, 4));
            std::vector<int> grid = {anchor};
            for (const int off : board.OrientationOffsets[static_cast<std::size_t>(k)]) grid.push_back(anchor + off);
            for (const int g : grid) board.Bsts[static_cast<std::size_t>(g)] = 'Q';
            board.Psts.fill(kFlagRuledOut);
            board.Psts[static_cast<std::size_t>(k)] = kFlagAvailable;
            t.apply(board);
            // Where did the cells go, and which orientation do they form?
            std::vector<int> moved;
            for (int n = 0; n < 60; ++n) {
                if (board.CellCode(n) == 'Q') moved.push_back(board.ChangeTo307(n));
            }
            ASSERT_EQ(moved.size(), 5U);
            std::array<int, 4> offsets{};
            for (std::size_t j = 0; j < 4; ++j) offsets[j] = moved[j + 1] - moved[0];
            const auto found = std::find(board.OrientationOffsets.begin(), board.OrientationOffsets.end(), offsets);
            ASSERT_NE(found, board.OrientationOffsets.end());
            const auto target = static_cast<std::size_t>(found - board.OrientationOffsets.begin());
            EXPECT_EQ(board.Psts[target], kFlagAvailable);
            EXPECT_EQ(board.CountFlags(kFlagAvailable), 1);
        }
    }
}

TEST(Transforms, PlacedPiecesKeepTheirFlags) {
    RecordingErrorSink errors;
    Board board = MakeBoard(errors, 6);
    board.Psts.fill(kFlagRuledOut);
    board.SetPieceFlags('F', kFlagPlaced);
    board.Psts[1] = kFlagPlaced;  // not a real state; shows the piece is skipped as a whole
    board.Psts[26] = kFlagAvailable;
    const auto flagsF = std::string(board.Psts.begin(), board.Psts.begin() + 8);
    Mirror(board);
    EXPECT_EQ(std::string(board.Psts.begin(), board.Psts.begin() + 8), flagsF);
    EXPECT_EQ(board.Psts[30], kFlagAvailable);  // P 26 mirrored is P 30
}

TEST(Transforms, PendingSelectionCarriesThroughTurnAndMirror) {
    for (const TransformCase& t : kTransforms) {
        for (const int frameY : {6, 5, 4, 3}) {
            SCOPED_TRACE(std::string(t.name) + " frame " + std::to_string(frameY));
            RecordingErrorSink errors;
            RecordingView view;
            const std::vector<int> clicks = {12, 13, 2 * 60 / frameY + 13};
            // Clicks on the board, transform, one more click.
            Board played = MakeBoard(errors, frameY);
            for (const int n : clicks) SelectCell(played, view, n);
            t.apply(played);
            const int fourth = t.moveCell(played, 14);
            ASSERT_EQ(played.CellCode(fourth), kEmpty);
            SelectCell(played, view, fourth);

            // The same clicks at the transformed places on a transformed empty board.
            Board direct = MakeBoard(errors, frameY);
            t.apply(direct);
            for (const int n : clicks) SelectCell(direct, view, t.moveCell(direct, n));
            SelectCell(direct, view, fourth);

            EXPECT_EQ(Picture(played), Picture(direct));
            EXPECT_EQ(played.Psts, direct.Psts);
        }
    }
}

TEST(Transforms, MirrorTurnsFOrientationZeroIntoFour) {
    RecordingErrorSink errors;
    Board board = MakeBoard(errors, 6);
    board.Psts.fill(kFlagRuledOut);
    board.Psts[0] = kFlagAvailable;
    Mirror(board);
    EXPECT_EQ(board.Psts[4], kFlagAvailable);
    EXPECT_EQ(board.CountFlags(kFlagAvailable), 1);
}

TEST(Transforms, CorrectUByTheCupCell) {
    struct Case {
        const char* name;
        int frameY;
        std::vector<std::string> board;  // only the U is drawn; '.' is empty
        int cupBefore;
        int cupAfter;  // -1: nothing may change
        bool started = true;
    };
    const Case cases[] = {
        {"upper right mirrors", 6, {"..........", "......U.U.", "......UUU.", "..........", "..........", ".........."},
         17, 12},
        {"lower left turns and mirrors", 6,
         {"..........", "..........", "..........", "...UU.....", "....U.....", "...UU....."}, 43, 13},
        {"lower right turns", 6, {"..........", "..........", "..........", ".......UUU", ".......U.U", ".........."},
         48, 11},
        {"upper left stays", 6, {"..........", "..UU......", "..U.......", "..UU......", "..........", ".........."},
         23, -1},
        {"other frames stay", 5, {"............", "......U.U...", "......UUU...", "............", "............"}, 19,
         -1},
        {"no U stays", 6, {"..........", "......X...", ".....XXX..", "......X...", "..........", ".........."}, -1, -1},
        {"before the first click stays", 6,
         {"..........", "......U.U.", "......UUU.", "..........", "..........", ".........."}, 17, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingErrorSink errors;
        Board board = MakeBoard(errors, c.frameY);
        std::vector<std::string> rows = c.board;
        for (auto& row : rows) std::replace(row.begin(), row.end(), '.', kEmpty);
        SetPicture(board, rows);
        board.SetPieceFlags('U', kFlagPlaced);
        board.GameStarted = c.started;
        if (c.cupBefore >= 0) {
            Board probe = board;
            EXPECT_EQ(probe.ChangeTo59(CupCell(probe)), c.cupBefore);
        }
        const auto before = board.Bsts;
        CorrectU(board);
        if (c.cupAfter < 0) {
            EXPECT_EQ(board.Bsts, before);
        } else {
            EXPECT_EQ(board.ChangeTo59(CupCell(board)), c.cupAfter);
        }
        EXPECT_TRUE(errors.messages.empty());
    }
}

}  // namespace
}  // namespace tilvaren
