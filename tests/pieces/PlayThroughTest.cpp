#include <gtest/gtest.h>

#include <map>
#include <set>

#include "session/MoveFlow.hpp"
#include "pieces/Solver.hpp"
#include "board/Transforms.hpp"
#include "support/TestBoards.hpp"

namespace tilvaren {
namespace {

using testing::MakeBoard;
using testing::Picture;
using testing::RecordingErrorSink;
using testing::RecordingView;

std::vector<std::string> Rows(const FilledFrame& frame, int frameY) {
    const int width = 60 / frameY;
    std::vector<std::string> rows;
    for (int r = 0; r < frameY; ++r) rows.emplace_back(frame.begin() + r * width, frame.begin() + (r + 1) * width);
    return rows;
}

// Every solution of every frame, clicked cell by cell as a player would.
TEST(PlayThrough, EverySolutionOfEveryFrame) {
    for (const int frameY : {6, 5, 4, 3}) {
        SCOPED_TRACE("frame " + std::to_string(frameY));
        const std::vector<FilledFrame> solutions = SolveFrame(frameY);
        std::map<FilledFrame, std::set<std::vector<std::string>>> normalisedByClass;
        std::size_t played = 0;
        for (const FilledFrame& solution : solutions) {
            RecordingErrorSink errors;
            Board board = MakeBoard(errors, frameY);
            RecordingView view;
            view.board = &board;
            std::string failure;
            const std::string letters = testing::PlaySolution(board, view, solution, failure);
            ASSERT_EQ(failure, "") << ::testing::PrintToString(Rows(solution, frameY));
            ASSERT_EQ(letters.size(), 12U);
            ASSERT_EQ(std::count(view.steps.begin(), view.steps.end(), "ShowCongratulations"), 1);
            // The message comes over the board as it is recorded.
            ASSERT_EQ(view.boardAtCongratulations, view.boardAtAppend);
            ASSERT_EQ(view.steps.back(), "SolutionAppend");
            ASSERT_TRUE(errors.messages.empty());
            if (frameY == 6) {
                const int cup = board.ChangeTo59(CupCell(board));
                ASSERT_TRUE(std::set<int>({11, 12, 13, 14, 21, 22, 23, 24}).count(cup)) << cup;
                ASSERT_EQ(view.boardAtAppend, Picture(board));
            } else {
                ASSERT_EQ(Picture(board), Rows(solution, frameY));  // no correction on other frames
            }
            normalisedByClass[CanonicalFrame(solution, frameY)].insert(Picture(board));
            ++played;
        }
        EXPECT_EQ(played, solutions.size());
        if (frameY == 6) {
            // The four images of one solution normalise to one board.
            EXPECT_EQ(normalisedByClass.size(), 2339U);
            for (const auto& [canonical, boards] : normalisedByClass) EXPECT_EQ(boards.size(), 1U);
        }
    }
}

}  // namespace
}  // namespace tilvaren
