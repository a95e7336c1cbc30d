#include <gtest/gtest.h>

#include <algorithm>

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
using Steps = std::vector<std::string>;

struct Fixture {
    RecordingErrorSink errors;
    Board board = MakeBoard(errors, 6);
    RecordingView view;
    Fixture() {
        DrawBoard(board, view);
        view.steps.clear();
        view.board = &board;
    }
};

TEST(MoveFlow, FirstClickLocksTheFrameBeforeTheCellIsDrawn) {
    Fixture f;
    SelectCell(f.board, f.view, 0);
    EXPECT_EQ(f.view.steps, (Steps{"PlayClickSound", "MenuFrameSet", "MenuEditSet", "DrawBoard", "SetTabToBestCell",
                                   "StatusBarPiecesSet"}));
    EXPECT_TRUE(f.board.GameStarted);
    EXPECT_EQ(f.view.tabCell, 1);
    f.view.steps.clear();
    SelectCell(f.board, f.view, 1);
    EXPECT_EQ(f.view.steps, (Steps{"PlayClickSound", "DrawBoard", "SetTabToBestCell", "StatusBarPiecesSet"}));
}

TEST(MoveFlow, TakeBackCases) {
    struct Case {
        const char* name;
        std::vector<int> clicks;    // cells selected first
        int takeBack;               // then the image of this cell is clicked
        std::vector<std::string> expected;
        bool passRuns;              // whether a recognition pass runs after the take-back
    };
    const Case cases[] = {
        {"one of several selected cells", {0, 1, 2}, 2,
         {"1100022222", "0000222222", "0002222222", "0022222222", "2222222222", "2222222222"}, true},
        {"the only selected cell frees every blocked cell", {0}, 0,
         {"0000000000", "0000000000", "0000000000", "0000000000", "0000000000", "0000000000"}, false},
        {"a placed piece frees its five cells", {0, 1, 2, 3, 4}, 2,
         {"0000000000", "0000000000", "0000000000", "0000000000", "0000000000", "0000000000"}, false},
        {"a forced cell is selected again at once", {0, 3}, 1,
         {"1111022222", "0000222222", "2222222222", "2222222222", "2222222222", "2222222222"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        for (const int n : c.clicks) SelectCell(f.board, f.view, n);
        const auto counters = f.board.BpointCounter;
        f.board.CandidateCount = -1;  // a pass would overwrite it
        f.view.steps.clear();
        TakeBackCell(f.board, f.view, c.takeBack);
        EXPECT_EQ(Picture(f.board), c.expected);
        EXPECT_EQ(f.board.CandidateCount != -1, c.passRuns);
        if (!c.passRuns) {
            EXPECT_EQ(f.board.BpointCounter, counters);
            EXPECT_EQ(f.board.CountFlags(kFlagAvailable), 63);
        }
        EXPECT_EQ(f.view.steps.front(), "PlayClickSound");
        EXPECT_EQ(f.view.steps.back(), "StatusBarPiecesSet");
        EXPECT_TRUE(f.board.GameStarted);
    }
}

TEST(MoveFlow, DeselectingRestoresRuledOutFlagsBeforeThePass) {
    Fixture f;
    for (const int n : {0, 1, 2, 3}) SelectCell(f.board, f.view, n);
    EXPECT_EQ(f.board.CountFlags(kFlagAvailable), 5);
    TakeBackCell(f.board, f.view, 3);
    Fixture fresh;
    for (const int n : {0, 1, 2}) SelectCell(fresh.board, fresh.view, n);
    EXPECT_EQ(f.board.Psts, fresh.board.Psts);
    EXPECT_EQ(Picture(f.board), Picture(fresh.board));
}

TEST(MoveFlow, StaleAndBadClicksChangeNothing) {
    Fixture f;
    for (const int n : {0, 1, 2, 3, 4}) SelectCell(f.board, f.view, n);  // I placed
    SelectCell(f.board, f.view, 10);                                      // pending selection; blocks far cells
    const Board before = f.board;
    f.view.steps.clear();
    SelectCell(f.board, f.view, 0);    // a placed cell
    SelectCell(f.board, f.view, 10);   // already selected
    SelectCell(f.board, f.view, 59);   // blocked
    TakeBackCell(f.board, f.view, 59);  // blocked
    TakeBackCell(f.board, f.view, 30);  // empty
    EXPECT_TRUE(f.view.steps.empty());
    EXPECT_EQ(f.board.Bsts, before.Bsts);
    EXPECT_TRUE(f.errors.messages.empty());
    SelectCell(f.board, f.view, 60);
    TakeBackCell(f.board, f.view, -1);
    EXPECT_EQ(f.errors.messages, (Steps{"例外発生 ChangeTo307 引数=60", "例外発生 ChangeTo307 引数=-1"}));
    EXPECT_EQ(f.board.Bsts, before.Bsts);
    EXPECT_TRUE(f.view.steps.empty());
}

TEST(MoveFlow, CompletionNormalisesAndRedrawsThenCongratulatesOnceAndRecords) {
    // A 6 x 10 solution whose U cup lies in the lower right quarter.
    const std::vector<FilledFrame> solutions = SolveFrame(6);
    ASSERT_FALSE(solutions.empty());
    Fixture probe;
    const FilledFrame* chosen = nullptr;
    for (const FilledFrame& s : solutions) {
        Board b = MakeBoard(probe.errors, 6);
        for (int n = 0; n < 60; ++n) b.Bsts[static_cast<std::size_t>(b.ChangeTo307(n))] = s[static_cast<std::size_t>(n)];
        b.GameStarted = true;
        const Board before = b;
        CorrectU(b);
        if (b.Bsts == before.Bsts) continue;
        chosen = &s;
        break;
    }
    ASSERT_NE(chosen, nullptr);

    Fixture f;
    std::string failure;
    testing::PlaySolution(f.board, f.view, *chosen, failure);
    ASSERT_EQ(failure, "");
    const auto last = std::find(f.view.steps.rbegin(), f.view.steps.rend(), std::string("PlayClickSound"));
    const Steps tail(last.base() - 1, f.view.steps.end());
    EXPECT_EQ(tail, (Steps{"PlayClickSound", "DrawBoard", "SetTabToBestCell", "StatusBarPiecesSet", "DrawBoard",
                           "ShowCongratulations", "SolutionAppend"}));
    EXPECT_EQ(std::count(f.view.steps.begin(), f.view.steps.end(), "ShowCongratulations"), 1);
    // The message comes over the normalised board, fully redrawn, the one
    // the register then gets.
    std::vector<std::string> played;
    for (int r = 0; r < 6; ++r) played.emplace_back(chosen->begin() + r * 10, chosen->begin() + r * 10 + 10);
    EXPECT_NE(f.view.boardAtCongratulations, played);
    EXPECT_EQ(f.view.boardAtCongratulations, Picture(f.board));
    EXPECT_EQ(f.view.boardAtAppend, Picture(f.board));
    EXPECT_EQ(std::vector<int>(f.view.paintedCells.end() - 60, f.view.paintedCells.end()).size(), 60U);
    EXPECT_EQ(f.board.CountFlags(kFlagPlaced), 63);
}

}  // namespace
}  // namespace tilvaren
