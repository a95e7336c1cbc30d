#include <gtest/gtest.h>

#include <map>

#include "session/MoveFlow.hpp"
#include "pieces/Solver.hpp"
#include "records/FileNames.hpp"
#include "records/SolutionRegister.hpp"
#include "support/TempDir.hpp"
#include "support/TestBoards.hpp"

namespace tilvaren {
namespace {

using testing::FixedClock;
using testing::MakeBoard;
using testing::ReadAll;
using testing::RecordingErrorSink;
using testing::RecordingView;
using testing::SetPicture;
using testing::TempDir;

const FixedClock kClock({2027, 1, 2, 3, 4, 5});

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start) + "<no CR LF>");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> Fields(const std::string& line) {
    const std::vector<std::string_view> fields = SplitFields(line);
    return {fields.begin(), fields.end()};
}

// A view whose completion step appends to a real register.
class RegisterView : public RecordingView {
public:
    RegisterView(const Board& b, std::string dir) : dir_(std::move(dir)) { board = &b; }
    void SolutionAppend() override {
        RecordingView::SolutionAppend();
        results.push_back(tilvaren::SolutionAppend(*board, dir_, kClock));
    }
    std::vector<FileResult> results;

private:
    std::string dir_;
};

TEST(SolutionRegister, ClassifiesTheUByItsCup) {
    struct Case {
        std::vector<std::string> board;  // only the U and its cup matter
        const char* cup;
        char opening;
        char letter;
    };
    const Case cases[] = {
        {{"..........", "..U.U.....", "..UUU.....", "..........", "..........", ".........."}, "24", 'N', 'X'},
        {{"..........", ".UUU......", ".U.U......", "..........", "..........", ".........."}, "33", 'S', 'X'},
        {{"..........", ".UU.......", ".U........", ".UU.......", "..........", ".........."}, "33", 'E', 'X'},
        {{"..........", "...UU.....", "....U.....", "...UU.....", "..........", ".........."}, "34", 'W', 'X'},
        {{"..........", "..........", "..........", "..........", "..........", ".........."}, "--", '-', '-'},
    };
    for (const Case& c : cases) {
        RecordingErrorSink errors;
        Board board = MakeBoard(errors, 6);
        std::vector<std::string> rows = c.board;
        for (auto& row : rows) std::replace(row.begin(), row.end(), '.', 'X');
        SetPicture(board, rows);
        const UClassification u = SolutionClassify(board);
        EXPECT_EQ(u.cupPosition, c.cup);
        EXPECT_EQ(u.opening, c.opening);
        EXPECT_EQ(u.cupLetter, c.letter);
    }
}

TEST(SolutionRegister, EveryDistinctSixByTenSolutionIsRecordedInNormalPosition) {
    const std::map<std::string, int> cupCell = {{"22", 11}, {"23", 12}, {"24", 13}, {"25", 14},
                                                {"32", 21}, {"33", 22}, {"34", 23}, {"35", 24}};
    TempDir dir;
    ASSERT_TRUE(SolutionFileEnsure(dir.Path()).ok);
    const std::vector<FilledFrame> solutions = DistinctSolutions(6);
    ASSERT_EQ(solutions.size(), 2339U);
    for (const FilledFrame& solution : solutions) {
        RecordingErrorSink errors;
        Board board = MakeBoard(errors, 6);
        RegisterView view(board, dir.Path());
        std::string failure;
        testing::PlaySolution(board, view, solution, failure);
        ASSERT_EQ(failure, "");
        ASSERT_EQ(view.results.size(), 1U);
        ASSERT_TRUE(view.results[0].ok) << view.results[0].reason;
    }
    const std::vector<std::string> lines = SplitLines(ReadAll(dir.File(kSolutionFile)));
    ASSERT_EQ(lines.size(), 2339U);
    std::set<std::string> boards;
    for (const std::string& line : lines) {
        const std::vector<std::string> f = Fields(line);
        ASSERT_EQ(f.size(), 69U) << line;
        EXPECT_EQ(f[0], "6");
        ASSERT_TRUE(cupCell.count(f[1])) << line;
        EXPECT_TRUE(f[2] == "N" || f[2] == "S" || f[2] == "E" || f[2] == "W") << line;
        EXPECT_EQ(f[3], f[4 + static_cast<std::size_t>(cupCell.at(f[1]))]) << line;
        EXPECT_EQ(f[64], "2027/01/02");
        EXPECT_EQ(f[65], "03:04:05");
        EXPECT_EQ(f[66], "2027/01/02");
        EXPECT_EQ(f[67], "03:04:05");
        EXPECT_EQ(f[68], "0001");
        std::string cells;
        for (std::size_t n = 4; n < 64; ++n) cells += f[n];
        boards.insert(cells);
    }
    EXPECT_EQ(boards.size(), 2339U);  // one normal position per solution
}

TEST(SolutionRegister, OtherFramesAppendAfterEarlierLines) {
    for (const int frameY : {5, 4, 3}) {
        SCOPED_TRACE(frameY);
        TempDir dir;
        const std::string earlier = "earlier line, kept as it is\r\nanother\r\n";
        testing::WriteAll(dir.File(kSolutionFile), earlier);
        ASSERT_TRUE(SolutionFileEnsure(dir.Path()).ok);  // leaves it alone
        RecordingErrorSink errors;
        Board board = MakeBoard(errors, frameY);
        RegisterView view(board, dir.Path());
        const FilledFrame solution = SolveFrame(frameY).front();
        std::string failure;
        testing::PlaySolution(board, view, solution, failure);
        ASSERT_EQ(failure, "");
        // Take a piece back and place it again: a second line.
        const int cell = 0;
        const char letter = board.CellCode(cell);
        TakeBackCell(board, view, cell);
        for (int n = 0; n < 60; ++n) {
            if (solution[static_cast<std::size_t>(n)] == letter && board.CellCode(n) == kEmpty) SelectCell(board, view, n);
        }
        ASSERT_EQ(view.results.size(), 2U);
        const std::string text = ReadAll(dir.File(kSolutionFile));
        ASSERT_EQ(text.substr(0, earlier.size()), earlier);
        const std::vector<std::string> lines = SplitLines(text.substr(earlier.size()));
        ASSERT_EQ(lines.size(), 2U);
        for (const std::string& line : lines) {
            const std::vector<std::string> f = Fields(line);
            ASSERT_EQ(f.size(), 69U);
            EXPECT_EQ(f[0], std::to_string(frameY));
            EXPECT_EQ(f[1] + f[2] + f[3], "----");
            std::string cells;
            for (std::size_t n = 4; n < 64; ++n) cells += f[n];
            EXPECT_EQ(cells, std::string(solution.begin(), solution.end()));
        }
    }
}

TEST(SolutionRegister, ARecordAlwaysStartsALineOfItsOwn) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"a\r\n", "a\r\n"},
        {"a\n", "a\n"},
        {"a", "a\r\n"},
        {"a\r\nlast line cut short", "a\r\nlast line cut short\r\n"},
    };
    for (const auto& [before, kept] : cases) {
        SCOPED_TRACE(before);
        TempDir dir;
        testing::WriteAll(dir.File(kSolutionFile), before);
        RecordingErrorSink errors;
        const Board board = MakeBoard(errors, 6);
        ASSERT_TRUE(tilvaren::SolutionAppend(board, dir.Path(), kClock).ok);
        EXPECT_EQ(ReadAll(dir.File(kSolutionFile)), kept + FormatGameRecord(SolutionRecord(board), kClock));
    }
}

}  // namespace
}  // namespace tilvaren
