#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "board/Board.hpp"
#include "support/TestBoards.hpp"

namespace tilvaren {
namespace {

using testing::MakeBoard;
using testing::RecordingErrorSink;

struct FrameCase {
    int frameY;
    int frameX;
    int stride;
    int firstCell;  // grid index of cell 0
    int lastCell;   // grid index of cell 59
};

class BoardFrames : public ::testing::TestWithParam<FrameCase> {};

TEST_P(BoardFrames, ResetLeavesSixtyEmptyCellsAmongWalls) {
    const FrameCase& f = GetParam();
    RecordingErrorSink errors;
    Board board = MakeBoard(errors, f.frameY);
    EXPECT_EQ(board.FrameX(), f.frameX);
    EXPECT_EQ(board.GridStride(), f.stride);
    EXPECT_EQ(std::count(board.Bsts.begin(), board.Bsts.end(), kEmpty), 60);
    EXPECT_EQ(std::count(board.Bsts.begin(), board.Bsts.end(), kWall), 248);

    std::set<int> converted;
    for (int n = 0; n < 60; ++n) {
        const int g = board.ChangeTo307(n);
        EXPECT_EQ(board.Bsts[static_cast<std::size_t>(g)], kEmpty) << "cell " << n;
        EXPECT_EQ(board.ChangeTo59(g), n);
        converted.insert(g);
    }
    EXPECT_EQ(converted.size(), 60U);
    EXPECT_EQ(board.ChangeTo307(0), f.firstCell);
    EXPECT_EQ(board.ChangeTo307(59), f.lastCell);
    for (int g = f.lastCell + 1; g < kGridSize; ++g) EXPECT_EQ(board.Bsts[static_cast<std::size_t>(g)], kWall);
    EXPECT_TRUE(std::all_of(board.Psts.begin(), board.Psts.end(), [](char c) { return c == kFlagAvailable; }));
    EXPECT_FALSE(board.GameStarted);
    EXPECT_EQ(board.FoundLetter, kNoLetterYet);
    EXPECT_TRUE(std::all_of(board.DrawnBsts.begin(), board.DrawnBsts.end(), [](char c) { return c == kWall; }));
    EXPECT_TRUE(errors.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(AllFrames, BoardFrames,
                         ::testing::Values(FrameCase{6, 10, 18, 76, 175}, FrameCase{5, 12, 20, 84, 175},
                                           FrameCase{4, 15, 23, 96, 179}, FrameCase{3, 20, 28, 116, 191}),
                         [](const ::testing::TestParamInfo<FrameCase>& p) {
                             return std::to_string(p.param.frameY) + "x" + std::to_string(p.param.frameX);
                         });

TEST(Board, WorkedConversionsOnSixByTen) {
    RecordingErrorSink errors;
    Board board = MakeBoard(errors, 6);
    const std::pair<int, int> worked[] = {{0, 76}, {9, 85}, {10, 94}, {59, 175}};
    for (const auto& [cell, grid] : worked) {
        EXPECT_EQ(board.ChangeTo307(cell), grid);
        EXPECT_EQ(board.ChangeTo59(grid), cell);
    }
    EXPECT_TRUE(errors.messages.empty());
}

TEST(Board, ConversionErrorsReportAndGiveMarkers) {
    struct Case {
        int frameY;
        bool toGrid;  // ChangeTo307, else ChangeTo59
        int argument;
        int result;
        const char* message;  // nullptr: no message
    };
    const Case cases[] = {
        {6, true, 60, 999, "例外発生 ChangeTo307 引数=60"},
        {6, true, 1000, 999, "例外発生 ChangeTo307 引数=1000"},
        {6, true, -1, 999, "例外発生 ChangeTo307 引数=-1"},
        {3, false, 308, 99, "例外発生 ChangeTo59 引数=308,FrameY=3"},
        {6, false, 252, 99, "例外発生 ChangeTo59 引数=252,FrameY=6"},
        {6, false, -5, 99, "例外発生 ChangeTo59 引数=-5,FrameY=6"},
        {6, false, 251, 99, nullptr},  // a wall cell below the limit: marker, no message
        {6, false, 0, 99, nullptr},
        {6, false, 93, 99, nullptr},  // right wall of the first frame row
    };
    for (const Case& c : cases) {
        RecordingErrorSink errors;
        Board board = MakeBoard(errors, c.frameY);
        const int result = c.toGrid ? board.ChangeTo307(c.argument) : board.ChangeTo59(c.argument);
        EXPECT_EQ(result, c.result) << c.argument;
        if (c.message == nullptr) {
            EXPECT_TRUE(errors.messages.empty()) << c.argument;
        } else {
            ASSERT_EQ(errors.messages.size(), 1U) << c.argument;
            EXPECT_EQ(errors.messages[0], c.message);
        }
    }
}

TEST(Board, FrameHeightOutsideTheGridFallsBackToSixByTen) {
    for (const int bad : {0, 2, 7, -3, 60}) {
        RecordingErrorSink errors;
        Board board(errors);
        board.SetFrame(bad);
        EXPECT_EQ(board.FrameY(), 6);
        EXPECT_EQ(board.FrameX(), 10);
        EXPECT_EQ(board.GridStride(), 18);
    }
}

TEST(Board, CollectCellsKeepsReadingOrderAndNeverOverflows) {
    RecordingErrorSink errors;
    Board board = MakeBoard(errors, 6);
    EXPECT_FALSE(board.CollectCells(kSelected));
    EXPECT_EQ(board.SelectedCount, 0);
    EXPECT_EQ(board.SelectedCells, (std::array<int, 5>{0, 0, 0, 0, 0}));

    for (const int n : {31, 3, 12}) board.Bsts[static_cast<std::size_t>(board.ChangeTo307(n))] = kSelected;
    EXPECT_TRUE(board.CollectCells(kSelected));
    EXPECT_EQ(board.SelectedCount, 3);
    EXPECT_EQ(board.SelectedCells,
              (std::array<int, 5>{board.ChangeTo307(3), board.ChangeTo307(12), board.ChangeTo307(31), 0, 0}));
    EXPECT_FALSE(board.SelectionOverflow);

    // Seven selected cells, as only a damaged saved game could hold.
    for (const int n : {40, 41, 42, 43}) board.Bsts[static_cast<std::size_t>(board.ChangeTo307(n))] = kSelected;
    EXPECT_TRUE(board.CollectCells(kSelected));
    EXPECT_EQ(board.SelectedCount, 5);
    EXPECT_TRUE(board.SelectionOverflow);
    EXPECT_EQ(board.SelectedCells[4], board.ChangeTo307(41));
}

TEST(Board, ReplaceCodeAndPieceFlagsStayInsideTheirArrays) {
    RecordingErrorSink errors;
    Board board = MakeBoard(errors, 4);
    board.ReplaceCode(kWall, kEmpty);  // walls are never frame cells
    EXPECT_EQ(std::count(board.Bsts.begin(), board.Bsts.end(), kWall), 248);
    board.ReplaceCode(kEmpty, kBlocked);
    EXPECT_EQ(std::count(board.Bsts.begin(), board.Bsts.end(), kBlocked), 60);

    board.SetPieceFlags('Y', kFlagPlaced);
    for (int k = 0; k < kOrientationCount; ++k) {
        EXPECT_EQ(board.Psts[static_cast<std::size_t>(k)], (k >= 51 && k <= 58) ? kFlagPlaced : kFlagAvailable);
    }
    const auto before = board.Psts;
    board.SetPieceFlags('y', kFlagPlaced);
    board.SetPieceFlags('3', kFlagPlaced);
    EXPECT_EQ(board.Psts, before);
    EXPECT_EQ(errors.messages,
              (std::vector<std::string>{"例外発生 ChangeToNum 引数=y", "例外発生 ChangeToNumCount 引数=y",
                                        "例外発生 ChangeToNum 引数=3", "例外発生 ChangeToNumCount 引数=3"}));
}

}  // namespace
}  // namespace tilvaren
