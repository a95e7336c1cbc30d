#include <gtest/gtest.h>

#include "session/Hints.hpp"
#include "support/TestBoards.hpp"

namespace tilvaren {
namespace {

const std::vector<std::string> kSolution = {"FFIIIIILZZ", "VFFYLLLLZN", "VFYYYYXZZN",
                                            "VVVTWXXXNN", "PPPTWWXUNU", "PPTTTWWUUU"};

// kSolution with the pieces of `letters` taken off.
std::vector<std::string> SolutionWithout(const std::string& letters) {
    std::vector<std::string> rows = kSolution;
    for (std::string& row : rows) {
        for (char& code : row) {
            if (letters.find(code) != std::string::npos) code = kEmpty;
        }
    }
    return rows;
}

BoardCells CellsOf(int frameY, const std::vector<std::string>& rows) {
    testing::RecordingErrorSink errors;
    Board board = testing::MakeBoard(errors, frameY);
    testing::SetPicture(board, rows);
    return BoardCells(board);
}

// F, I, P and V of kSolution.
const std::vector<std::string> kFourPieces = {"FFIIIII000", "VFF0000000", "VF00000000",
                                              "VVV0000000", "PPP0000000", "PP00000000"};

// N, U and Z of kSolution.
const std::vector<std::string> kThreePieces = {"00000000ZZ", "00000000ZN", "0000000ZZN",
                                               "00000000NN", "0000000UNU", "0000000UUU"};

// Two cells no piece can reach: the top left corner (I and L beside it) and
// the bottom right one (V and Y beside it). Taking back any one piece
// leaves the other cell shut in, so every piece brings back nothing.
const std::vector<std::string> kTwoShutCells = {"0IIIII0000", "L00000000Y", "L00000000Y",
                                                "L00000V0YY", "LL0000V00Y", "000000VVV0"};

TEST(Hints, EachBoardAndLevel) {
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        int level;
        Hint expected;
        std::vector<char> placedOrder = {};
        bool finishedIsNew = false;
        int frameY = 6;
    } const cases[] = {
        // Every free cell has one placement: the lowest cell of the ten wins.
        {"holes: where", SolutionWithout("IX"), 1, {1, "ここに入る置き方は 1 通りだけです", {2}, -1}},
        {"holes: piece", SolutionWithout("IX"), 2, {2, "ここに最も多く入るのは I です（完成形の 100%）", {2}, 1}},
        {"holes: placement", SolutionWithout("IX"), 3, {3, "I を印の 5 マスに置くと、完成まで あと 1 通り", {2, 3, 4, 5, 6}, 1}},
        {"beyond level 3", SolutionWithout("IX"), 7, {3, "I を印の 5 マスに置くと、完成まで あと 1 通り", {2, 3, 4, 5, 6}, 1}},
        // Three completions: the cell right of the I has 2 placements (a Y,
        // and one X two completions share), the lowest free cell 3.
        {"not the first free cell", kFourPieces, 1, {1, "ここに入る置き方は 2 通りだけです", {13}, -1}},
        {"piece most put there", kFourPieces, 2, {2, "ここに最も多く入るのは X です（完成形の 67%）", {13}, 9}},
        {"shared placement", kFourPieces, 3, {3, "X を印の 5 マスに置くと、完成まで あと 2 通り", {13, 22, 23, 24, 33}, 9}},
        // Over cell 36 the F lies in the most completions, spread over
        // several placements; one X placement alone keeps more than any of them.
        {"piece summed", kThreePieces, 2, {2, "ここに最も多く入るのは F です（完成形の 38%）", {36}, 0}},
        {"best placement", kThreePieces, 3, {3, "X を印の 5 マスに置くと、完成まで あと 7 通り", {26, 35, 36, 37, 46}, 9}},
        // Taking back the I reopens the hole of three; the L, placed later, less.
        {"most brought back",
         {"000LLLL000", "IIIII0L000"},
         1,
         {0, "完成できません。I を取り除くと、完成まで あと 119 通りに戻ります", {10, 11, 12, 13, 14}, 1},
         {'I', 'L'}},
        // The empty board it brings back is told as the strip tells it: 2339, not 9356.
        {"one piece shuts in three cells",
         {"0L", "0L", "0L", "LL"},
         1,
         {0, "完成できません。L を取り除くと、完成まで あと 2339 通りに戻ります", {1, 11, 21, 30, 31}, 2},
         {'L'}},
        {"unusable selection",
         {"1000000000", "", "", "", "", "0000000001"},
         1,
         {0, "選んでいるマスは、どの完成形にも使えません", {0, 59}, -1}},
        {"last placed",
         kTwoShutCells,
         1,
         {0, "完成できません。まず Y を取り除いてください", {19, 29, 38, 39, 49}, 10},
         {'I', 'L', 'V', 'Y'}},
        {"unlisted are older",
         kTwoShutCells,
         2,
         {0, "完成できません。まず V を取り除いてください", {36, 46, 56, 57, 58}, 7},
         {'Y', 'V'}},
        // The selection fits a completion of the board without the shut cells,
        // but the board itself is what cannot be finished.
        {"usable selection",
         {"0IIIII1000", "L00000000Y", "L00000000Y", "L00000V0YY", "LL0000V00Y", "000000VVV0"},
         1,
         {0, "完成できません。まず Y を取り除いてください", {19, 29, 38, 39, 49}, 10},
         {'I', 'L', 'V', 'Y'}},
        // Told in distinct solutions, as the strip will count them once it is placed.
        {"placement on the empty 3 x 20", {}, 3, {3, "U を印の 5 マスに置くと、完成まで あと 2 通り", {0, 1, 20, 40, 41}, 6}, {}, false, 3},
        {"finished, new", kSolution, 2, {0, "完成しています。新しい解です", {}, -1}, {}, true},
        {"finished before", kSolution, 2, {0, "完成しています。すでに見つけた解です", {}, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> rows = c.rows;
        rows.resize(static_cast<std::size_t>(c.frameY));
        for (std::string& row : rows) row.resize(static_cast<std::size_t>(FrameWidthOf(c.frameY)), kEmpty);
        const Hint hint =
            HintFor(CompletionCounter(c.frameY), CellsOf(c.frameY, rows), c.level, c.placedOrder, c.finishedIsNew);
        EXPECT_EQ(hint.level, c.expected.level);
        EXPECT_EQ(hint.text, c.expected.text);
        EXPECT_EQ(hint.cells, c.expected.cells);
        EXPECT_EQ(hint.piece, c.expected.piece);
    }
}

}  // namespace
}  // namespace tilvaren
