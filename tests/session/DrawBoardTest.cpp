#include <gtest/gtest.h>

#include <algorithm>

#include "session/DrawBoard.hpp"
#include "session/MoveFlow.hpp"
#include "support/TestBoards.hpp"

namespace tilvaren {
namespace {

using testing::Cell;
using testing::MakeBoard;
using testing::RecordingErrorSink;
using testing::RecordingView;
using testing::SetPicture;

// What the cell shows, without what a screen reader is told of it.
CellTarget Look(CellTarget target) {
    target.label = {};
    return target;
}

TEST(DrawBoard, FirstPassAfterResetShowsEveryButton) {
    RecordingErrorSink errors;
    Board board = MakeBoard(errors, 5);
    RecordingView view;
    DrawBoard(board, view);
    ASSERT_EQ(view.paintedCells.size(), 60U);
    for (int n = 0; n < 60; ++n) {
        EXPECT_EQ(view.paintedCells[static_cast<std::size_t>(n)], n);
        EXPECT_EQ(Look(view.painted[static_cast<std::size_t>(n)]), (CellTarget{true, false, false, 0, {}}));
    }
    view.paintedCells.clear();
    DrawBoard(board, view);
    EXPECT_TRUE(view.paintedCells.empty());
    board.FillDrawnBsts(kWall);
    DrawBoard(board, view);
    EXPECT_EQ(view.paintedCells.size(), 60U);
}

TEST(DrawBoard, AClickRepaintsOnlyTheCellsItChanged) {
    RecordingErrorSink errors;
    Board board = MakeBoard(errors, 6);
    RecordingView view;
    DrawBoard(board, view);
    for (const int n : {0, 1, 2}) {
        const auto before = board.Bsts;
        view.paintedCells.clear();
        SelectCell(board, view, n);
        std::vector<int> changed;
        for (int c = 0; c < 60; ++c) {
            const auto g = static_cast<std::size_t>(board.ChangeTo307(c));
            if (before[g] != board.Bsts[g]) changed.push_back(c);
        }
        EXPECT_EQ(view.paintedCells, changed) << "click " << n;
        EXPECT_FALSE(changed.empty());
    }
    EXPECT_EQ(view.painted[0], (CellTarget{false, true, true, 0, {1, 1, kSelected}}));  // selection tile
    // blocked, not clickable
    EXPECT_EQ(view.painted[59], (CellTarget{false, true, false, kBlockedTileCode, {6, 10, kBlocked}}));
    EXPECT_EQ(board.DrawnBsts, board.Bsts);
}

TEST(DrawBoard, PiecesAreOutlinedFromTheirNeighbours) {
    struct Case {
        const char* name;
        std::vector<std::string> board;
        std::vector<std::pair<int, int>> tiles;  // cell number, tile code
    };
    const Case cases[] = {
        {"I along the top edge",
         {"IIIII00000", "0000000000", "0000000000", "0000000000", "0000000000", "0000000000"},
         {{0, 100}, {1, 101}, {2, 101}, {3, 101}, {4, 1}}},
        // The block's middle lies inside the piece: each of its four cells
        // says so for that corner, which gets no corner mark.
        {"P with its two-by-two block",
         {"PP00000000", "PP00000000", "P000000000", "0000000000", "0000000000", "0000000000"},
         {{0, 1000110}, {1, 100011}, {10, 10001110}, {11, 11001}, {20, 1000}}},
        // Another piece in the diagonal leaves the bend of the outline.
        {"L bend beside another piece",
         {"L000000000", "LN00000000", "LN00000000", "LLN0000000", "00N0000000", "00N0000000"},
         {{30, 1100}, {31, 1}, {11, 10}}},
        {"X centre joins on all four sides",
         {"0X00000000", "XXX0000000", "0X00000000", "0000000000", "0000000000", "0000000000"},
         {{11, 1111}, {1, 10}, {10, 100}, {12, 1}, {21, 1000}}},
        {"two pieces side by side keep their own lines",
         {"LLLLI00000", "L000I00000", "0000I00000", "0000I00000", "0000I00000", "0000000000"},
         {{3, 1}, {4, 10}, {0, 110}}},
        {"a piece cell alone gets code 0000", {"0000000000", "0000F00000", "0000000000", "0000000000", "0000000000",
                                               "0000000000"}, {{14, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingErrorSink errors;
        Board board = MakeBoard(errors, 6);
        SetPicture(board, c.board);
        for (const auto& [cell, tile] : c.tiles) {
            EXPECT_EQ(Look(DecideCell(board, cell)), (CellTarget{false, true, true, tile, {}})) << "cell " << cell;
        }
    }
}

TEST(DrawBoard, NewPieceIsOutlinedAsThreeThenLettered) {
    RecordingErrorSink errors;
    Board board = MakeBoard(errors, 6);
    RecordingView view;
    DrawBoard(board, view);
    for (const int n : {0, 1, 2, 3}) SelectCell(board, view, n);
    view.paintedCells.clear();
    SelectCell(board, view, 4);
    // The five cells were drawn as one outlined piece...
    EXPECT_EQ(view.painted[0].tileCode, 100);
    EXPECT_EQ(view.painted[2].tileCode, 101);
    EXPECT_EQ(view.painted[4].tileCode, 1);
    EXPECT_EQ(view.painted[4].label, (CellLabel{1, 5, 'I'}));
    // ...and hold the letter afterwards, on the board and in its drawn copy.
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(board.CellCode(n), 'I');
        EXPECT_EQ(board.DrawnBsts[static_cast<std::size_t>(board.ChangeTo307(n))], 'I');
    }
    view.paintedCells.clear();
    DrawBoard(board, view);
    EXPECT_TRUE(view.paintedCells.empty());
}

TEST(DrawBoard, JustPlacedCellsWithoutALetterAreFreed) {
    RecordingErrorSink errors;
    Board board = MakeBoard(errors, 6);
    SetPicture(board, {"3330000000", "0000000000", "0000000000", "0000000000", "0000000000", "0000000000"});
    board.FoundLetter = kBlankLetter;
    RecordingView view;
    DrawBoard(board, view);
    EXPECT_EQ(board.CellCode(0), kEmpty);
    EXPECT_EQ(view.painted[0], (CellTarget{true, false, false, 0, {1, 1, kEmpty}}));
}

}  // namespace
}  // namespace tilvaren
