#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "records/GameRecord.hpp"
#include "session/Completion.hpp"
#include "session/Congruence.hpp"
#include "support/TempDir.hpp"
#include "support/TestBoards.hpp"

namespace tilvaren {
namespace {

const std::vector<std::string> kSolution = {"FFIIIIILZZ", "VFFYLLLLZN", "VFYYYYXZZN",
                                            "VVVTWXXXNN", "PPPTWWXUNU", "PPTTTWWUUU"};

// A 6 x 10 board from its top rows; the rows not given are empty.
Board Make6(ErrorSink& errors, std::vector<std::string> rows, char foundLetter = kNoLetterYet) {
    Board board = testing::MakeBoard(errors, 6);
    rows.resize(6);
    for (std::string& row : rows) row.resize(10, '0');
    testing::SetPicture(board, rows);
    board.FoundLetter = foundLetter;
    return board;
}

// The completions of a 6 x 10 board the slow way, straight from the rules.
std::set<FilledFrame> Completions(const Board& board) {
    static const std::vector<FilledFrame> solutions = SolveFrame(6);
    FilledFrame codes{};
    for (int n = 0; n < kCellCount; ++n)
        codes[static_cast<std::size_t>(n)] = board.CellCode(n) == kJustPlaced ? board.FoundLetter : board.CellCode(n);
    const auto onBoard = [&codes](char letter) { return std::find(codes.begin(), codes.end(), letter) != codes.end(); };
    std::set<FilledFrame> classes;
    for (const FilledFrame& s : solutions) {
        bool fits = true;
        char selectedPiece = 0;
        for (std::size_t n = 0; n < s.size(); ++n) {
            if (IsPieceLetter(codes[n]) || onBoard(s[n])) fits = fits && codes[n] == s[n];
            if (codes[n] != kSelected) continue;
            fits = fits && !onBoard(s[n]) && (selectedPiece == 0 || selectedPiece == s[n]);
            selectedPiece = s[n];
        }
        if (fits) classes.insert(CanonicalFrame(s, 6));
    }
    return classes;
}

TEST(Completion, EmptyFramesHaveEverySolution) {
    for (const auto& [frameY, ways, distinct] :
         {std::tuple{6, 9356U, 2339U}, {5, 4040U, 1010U}, {4, 1472U, 368U}, {3, 8U, 2U}}) {
        SCOPED_TRACE(frameY);
        testing::RecordingErrorSink errors;
        const Board board = testing::MakeBoard(errors, frameY);
        const CompletionCounter counter(frameY);
        EXPECT_EQ(counter.CountFor(board).ways, ways);
        EXPECT_EQ(counter.CountFor(board).distinct, distinct);
        EXPECT_EQ(counter.DistinctFor(board), DistinctSolutions(frameY));
    }
}

TEST(Completion, KeepsPiecesAndSelection) {
    constexpr std::size_t kAny = ~std::size_t{0};  // only the slow count decides
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        char foundLetter;
        std::size_t ways;
    } const cases[] = {
        {"I on the top row", {"00IIIII000"}, '-', kAny},
        {"selection in a corner", {"1100000000", "1000000000"}, '-', kAny},
        {"just placed X and a selection",
         {"1000000000", "0100000000", "0000003000", "0000033300", "0000003000"},
         'X',
         kAny},
        {"just placed cells without a letter are free", {"", "", "0000003000", "0000033300", "0000003000"}, ' ', 9356},
        {"selection beside a placed F", {"FF10000000", "0FF0000000", "0F10000000"}, '-', kAny},
        {"selection no piece can span", {"1000000000", "", "", "", "", "0000000001"}, '-', 0},
        {"hole of three cells", {"000LLLL000", "IIIII0L000"}, '-', 0},
        {"piece cut short", {"00III00000"}, '-', 0},
        {"blocked cells are free", {"2222222222"}, '-', 9356},
        {"finished", kSolution, '-', 1},
        {"finished but for the redraw",
         {"FFIIIIILZZ", "VFFYLLLLZN", "VFYYYY3ZZN", "VVVTW333NN", "PPPTWW3UNU", "PPTTTWWUUU"},
         'X',
         1},
    };
    const CompletionCounter counter(6);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::RecordingErrorSink errors;
        const Board board = Make6(errors, c.rows, c.foundLetter);
        const std::set<FilledFrame> expected = Completions(board);
        if (c.ways != kAny) {
            EXPECT_EQ(counter.CountFor(board).ways, c.ways);
        }
        EXPECT_EQ(counter.CountFor(board).distinct, expected.size());
        EXPECT_EQ(counter.DistinctFor(board), std::vector<FilledFrame>(expected.begin(), expected.end()));
    }
    testing::RecordingErrorSink errors;
    EXPECT_EQ(counter.CountFor(testing::MakeBoard(errors, 5)).ways, 0U) << "a board of another frame";
}

TEST(Completion, ComparesWithTheRegister) {
    FilledFrame solution{};
    for (std::size_t n = 0; n < solution.size(); ++n) solution[n] = kSolution[n / 10][n % 10];
    const auto line = [](const FilledFrame& cells, int day) {
        GameRecord record;
        record.cells = cells;
        record.marker = kSolutionMarker;
        return FormatGameRecord(record, testing::FixedClock({2026, 3, day, 9, 0, 0}));
    };
    // The class first recorded as its half-turned image; the other has no I across the top.
    const RegisterReport report =
        AnalyseRegister(line(SolveFrame(6).back(), 1) + line(TurnedFrame(solution), 4) + line(solution, 5));
    const CompletionCounter counter(6);
    const RegisterReport none = AnalyseRegister("");
    using K = CongruenceAnswer::Kind;
    struct Case {
        std::vector<std::string> rows;
        const RegisterReport* report;
        K kind;
        std::size_t distinctFound, registerHolds;
        const char* firstDate;  // "": new, or not finished
    } const cases[] = {
        {kSolution, &report, K::Solution, 0, 2, "2026/03/04"},
        {kSolution, &none, K::Solution, 0, 0, ""},
        {{"00IIIII000"}, &report, K::Open, 1, 2, ""},
    };
    for (const Case& c : cases) {
        testing::RecordingErrorSink errors;
        const Board board = Make6(errors, c.rows);
        const CongruenceAnswer answer = CongruenceAnswerFor(counter, c.report, board);
        EXPECT_EQ(answer.kind, c.kind);
        EXPECT_EQ(answer.distinct, c.kind == K::Open ? Completions(board).size() : 0U);
        EXPECT_EQ(answer.distinctFound, c.distinctFound);
        EXPECT_EQ(answer.registerHolds, c.registerHolds);
        EXPECT_EQ(answer.frameTotal, 2339U);
        EXPECT_EQ(answer.firstDate, c.firstDate);
        EXPECT_EQ(answer.isNew, c.kind == K::Solution && *c.firstDate == '\0');
        EXPECT_EQ(answer.number, c.kind == K::Solution ? SolutionNumber(solution, 6) : 0);
    }
}

}  // namespace
}  // namespace tilvaren
