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
    using K = Hint::Kind;
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        int level;
        struct {
            Hint::Kind kind;
            int level;
            std::vector<int> cells;
            int piece;
            std::size_t count;
        } expected;
        std::vector<char> placedOrder = {};
        bool finishedIsNew = false;
        int frameY = 6;
    } const cases[] = {
        // Every free cell has one placement: the lowest cell of the ten wins.
        {"holes: where", SolutionWithout("IX"), 1, {K::Where, 1, {2}, -1, 1}},
        {"holes: piece", SolutionWithout("IX"), 2, {K::Which, 2, {2}, 1, 100}},
        {"holes: placement", SolutionWithout("IX"), 3, {K::Place, 3, {2, 3, 4, 5, 6}, 1, 1}},
        {"beyond level 3", SolutionWithout("IX"), 7, {K::Place, 3, {2, 3, 4, 5, 6}, 1, 1}},
        // Three completions: the cell right of the I has 2 placements (a Y,
        // and one X two completions share), the lowest free cell 3.
        {"not the first free cell", kFourPieces, 1, {K::Where, 1, {13}, -1, 2}},
        {"piece most put there", kFourPieces, 2, {K::Which, 2, {13}, 9, 67}},
        {"shared placement", kFourPieces, 3, {K::Place, 3, {13, 22, 23, 24, 33}, 9, 2}},
        // Over cell 36 the F lies in the most completions, spread over
        // three placements; one X placement alone keeps more than any of
        // them, but level 3 marks the F that level 2 named, at its best.
        {"piece summed", kThreePieces, 2, {K::Which, 2, {36}, 0, 38}},
        {"best placement of that piece", kThreePieces, 3, {K::Place, 3, {36, 37, 45, 46, 56}, 0, 4}},
        // Taking back the I reopens the hole of three; the L, placed later, less.
        {"most brought back",
         {"000LLLL000", "IIIII0L000"},
         1,
         {K::TakeBack, 0, {10, 11, 12, 13, 14}, 1, 119},
         {'I', 'L'}},
        // The empty board it brings back is told as the strip tells it: 2339, not 9356.
        {"one piece shuts in three cells",
         {"0L", "0L", "0L", "LL"},
         1,
         {K::TakeBack, 0, {1, 11, 21, 30, 31}, 2, 2339},
         {'L'}},
        {"unusable selection",
         {"1000000000", "", "", "", "", "0000000001"},
         1,
         {K::SelectionUnusable, 0, {0, 59}, -1, 0}},
        {"last placed",
         kTwoShutCells,
         1,
         {K::TakeBackFirst, 0, {19, 29, 38, 39, 49}, 10, 0},
         {'I', 'L', 'V', 'Y'}},
        {"unlisted are older",
         kTwoShutCells,
         2,
         {K::TakeBackFirst, 0, {36, 46, 56, 57, 58}, 7, 0},
         {'Y', 'V'}},
        // The selection fits a completion of the board without the shut cells,
        // but the board itself is what cannot be finished.
        {"usable selection",
         {"0IIIII1000", "L00000000Y", "L00000000Y", "L00000V0YY", "LL0000V00Y", "000000VVV0"},
         1,
         {K::TakeBackFirst, 0, {19, 29, 38, 39, 49}, 10, 0},
         {'I', 'L', 'V', 'Y'}},
        // Told in distinct solutions, as the strip will count them once it is placed.
        {"placement on the empty 3 x 20", {}, 3, {K::Place, 3, {0, 1, 20, 40, 41}, 6, 2}, {}, false, 3},
        {"finished, new", kSolution, 2, {K::FinishedNew, 0, {}, -1, 0}, {}, true},
        {"finished before", kSolution, 2, {K::FinishedBefore, 0, {}, -1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> rows = c.rows;
        rows.resize(static_cast<std::size_t>(c.frameY));
        for (std::string& row : rows) row.resize(static_cast<std::size_t>(FrameWidthOf(c.frameY)), kEmpty);
        const Hint hint =
            HintFor(CompletionCounter(c.frameY), CellsOf(c.frameY, rows), c.level, c.placedOrder, c.finishedIsNew);
        EXPECT_EQ(hint.kind, c.expected.kind);
        EXPECT_EQ(hint.level, c.expected.level);
        EXPECT_EQ(hint.count, c.expected.count);
        EXPECT_EQ(hint.cells, c.expected.cells);
        EXPECT_EQ(hint.piece, c.expected.piece);
    }
}

}  // namespace
}  // namespace tilvaren
