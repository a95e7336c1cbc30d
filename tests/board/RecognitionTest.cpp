#include <gtest/gtest.h>

#include <algorithm>

#include "session/MoveFlow.hpp"
#include "board/Recognition.hpp"
#include "support/TestBoards.hpp"

namespace tilvaren {
namespace {

using testing::Cell;
using testing::MakeBoard;
using testing::Picture;
using testing::RecordingErrorSink;
using testing::SetPicture;

// Marks the cells selected and runs one recognition pass, as the move flow does.
void SelectAndRecognise(Board& board, std::initializer_list<int> cells) {
    for (const int n : cells) board.Bsts[static_cast<std::size_t>(board.ChangeTo307(n))] = kSelected;
    ASSERT_TRUE(board.CollectCells(kSelected));
    RecognisePiece(board);
}

TEST(Recognition, FirstClickInTheCorner) {
    RecordingErrorSink errors;
    Board board = MakeBoard(errors, 6);
    SelectAndRecognise(board, {0});
    EXPECT_EQ(board.CandidateCount, 37);
    EXPECT_EQ(board.BpointCounter[0], 37);
    EXPECT_EQ(board.BpointCounter[4], 1);
    EXPECT_EQ(board.BpointCounter[40], 1);
    EXPECT_EQ(board.FoundLetter, 'Z');
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 10; ++c) {
            const int n = Cell(board, r, c);
            const char expected = n == 0 ? kSelected : (r + c > 4 ? kBlocked : kEmpty);
            EXPECT_EQ(board.CellCode(n), expected) << "cell " << n;
        }
    }
    EXPECT_EQ(BestCell(board), 1);  // the selected cell is no place to go next
    EXPECT_TRUE(errors.messages.empty());
}

TEST(Recognition, FourInARowLeavesIAndTwoLAndTwoY) {
    RecordingErrorSink errors;
    Board board = MakeBoard(errors, 6);
    SelectAndRecognise(board, {0, 1, 2, 3});
    EXPECT_EQ(board.CandidateCount, 5);
    EXPECT_EQ(Picture(board), (std::vector<std::string>{"1111022222", "0000222222", "2222222222", "2222222222",
                                                         "2222222222", "2222222222"}));
    for (const int n : {4, 10, 11, 12, 13}) EXPECT_EQ(board.BpointCounter[static_cast<std::size_t>(n)], 1) << n;
    EXPECT_EQ(std::count(board.Psts.begin(), board.Psts.end(), kFlagAvailable), 5);  // I 9, L 13 and 15, Y 52 and 58

    const std::pair<int, char> fifth[] = {{4, 'I'}, {10, 'L'}, {13, 'L'}, {11, 'Y'}, {12, 'Y'}};
    for (const auto& [cell, letter] : fifth) {
        Board next = board;
        SelectAndRecognise(next, {cell});
        EXPECT_EQ(next.FoundLetter, letter) << cell;
        EXPECT_EQ(next.CellCode(cell), kJustPlaced);
        // After a placement nothing stays selected or blocked, and no flag is ruled out.
        for (int n = 0; n < 60; ++n) {
            const char code = next.CellCode(n);
            EXPECT_TRUE(code == kEmpty || code == kJustPlaced) << n;
        }
        EXPECT_EQ(next.CandidateCount, 1);
        EXPECT_EQ(next.CountFlags(kFlagRuledOut), 0);
        const std::string name(1, letter);
        EXPECT_EQ(next.CountFlags(kFlagPlaced), ChangeToNumCount(name, errors));
    }
}

TEST(Recognition, EnclosedRegions) {
    struct Case {
        const char* name;
        std::vector<std::string> board;
        int click;
        std::vector<std::string> expected;
        char letter;  // the letter placed, or ' ' when nothing may be
    };
    const Case cases[] = {
        {"five cells forming a free piece are placed at once",
         {"00I0000000", "00I0000000", "0NI0000000", "NNI0000000", "N0I0000000", "N000000000"},
         0,
         {"33I0000000", "33I0000000", "3NI0000000", "NNI0000000", "N0I0000000", "N000000000"},
         'P'},
        {"the same region in the shape of a piece already on the board places nothing",
         {"00I00PP000", "00I00PP000", "0NI00P0000", "NNI0000000", "N0I0000000", "N000000000"},
         0,
         {"12I22PP222", "22I22PP222", "2NI22P2222", "NNI2222222", "N2I2222222", "N222222222"},
         ' '},
        {"a single enclosed cell blocks everything else",
         {"0IIIII0000", "L000000000", "L000000000", "L000000000", "LL00000000", "0000000000"},
         0,
         {"1IIIII2222", "L222222222", "L222222222", "L222222222", "LL22222222", "2222222222"},
         ' '},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingErrorSink errors;
        Board board = MakeBoard(errors, 6);
        SetPicture(board, c.board);
        for (int n = 0; n < 60; ++n) {
            const char code = board.CellCode(n);
            if (IsPieceLetter(code)) board.SetPieceFlags(code, kFlagPlaced);
        }
        SelectAndRecognise(board, {c.click});
        EXPECT_EQ(Picture(board), c.expected);
        if (c.letter != ' ') {
            EXPECT_EQ(board.FoundLetter, c.letter);
        } else {
            EXPECT_EQ(board.CandidateCount, 0);
            EXPECT_EQ(board.FoundLetter, kBlankLetter);
            EXPECT_EQ(BestCell(board), -1);
        }
    }
}

TEST(Recognition, DamagedSelectionsNeverPlace) {
    struct Case {
        const char* name;
        std::vector<std::string> board;
    };
    const Case cases[] = {
        {"five selected cells that form no piece",
         {"1010101010", "0000000000", "0000000000", "0000000000", "0000000000", "0000000000"}},
        {"six selected cells", {"1111110000", "0000000000", "0000000000", "0000000000", "0000000000", "0000000000"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingErrorSink errors;
        Board board = MakeBoard(errors, 6);
        SetPicture(board, c.board);
        board.CollectCells(kSelected);
        RecognisePiece(board);
        EXPECT_EQ(board.CandidateCount, 0);
        EXPECT_EQ(board.CountFlags(kFlagPlaced), 0);
        for (int n = 0; n < 60; ++n) EXPECT_NE(board.CellCode(n), kJustPlaced) << n;
        EXPECT_TRUE(errors.messages.empty());
    }
}

TEST(Recognition, BestCellIsTheFirstEmptyOfTheMostCovered) {
    struct Case {
        std::vector<int> clicks;
        int best;
    } const cases[] = {
        {{24, 15}, 25},  // the selected cells hold the highest count, but are no place to go
        {{0, 30}, 1},    // 10 and 20 forced; the five empty cells left tie
        {{0, 1, 2, 3, 4}, -1},  // an I placed: nothing selected
    };
    for (const Case& c : cases) {
        RecordingErrorSink errors;
        Board board = MakeBoard(errors, 6);
        for (const int n : c.clicks) SelectAndRecognise(board, {n});
        EXPECT_EQ(BestCell(board), c.best) << "after " << c.clicks.size() << " clicks";
    }
    // The selection taken back: the last pass's counters no longer tell.
    RecordingErrorSink errors;
    Board board = MakeBoard(errors, 6);
    SelectAndRecognise(board, {24});
    board.Bsts[static_cast<std::size_t>(board.ChangeTo307(24))] = kEmpty;
    board.CollectCells(kSelected);
    EXPECT_EQ(BestCell(board), -1);
}

}  // namespace
}  // namespace tilvaren
