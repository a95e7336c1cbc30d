#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "records/FileNames.hpp"
#include "records/GameRecord.hpp"
#include "session/Challenge.hpp"
#include "support/TempDir.hpp"
#include "support/TestBoards.hpp"

namespace tilvaren {
namespace {

// The challenge as rows of cell codes, the way a failure prints it.
std::vector<std::string> Rows(const Challenge& challenge) {
    const int width = FrameWidthOf(challenge.frameY);
    std::vector<std::string> rows;
    for (int r = 0; r < challenge.frameY; ++r) {
        rows.emplace_back(challenge.cells.begin() + r * width, challenge.cells.begin() + (r + 1) * width);
    }
    return rows;
}

// Registers of known contents, each made from the frame's distinct solutions.
struct Register {
    const char* name;
    std::vector<FilledFrame> (*found)(const std::vector<FilledFrame>& all);
    bool lastOnlyUnfound;  // every solution but the last is found
};

const Register kRegisters[] = {
    {"empty", [](const std::vector<FilledFrame>&) { return std::vector<FilledFrame>{}; }, false},
    {"two in three found",
     [](const std::vector<FilledFrame>& all) {
         std::vector<FilledFrame> found;
         for (std::size_t i = 0; i < all.size(); ++i)
             if (i % 3 != 0) found.push_back(all[i]);
         return found;
     },
     false},
    {"all but the last found",
     [](const std::vector<FilledFrame>& all) { return std::vector<FilledFrame>(all.begin(), all.end() - 1); }, true},
};

TEST(Challenge, LeavesTheLevelsPiecesTowardAnUnfoundSolution) {
    for (const Register& reg : kRegisters) {
        for (const int frameY : kFrameHeights) {
            const CompletionCounter& counter = CompletionCounterFor(frameY);
            const std::vector<FilledFrame> all = DistinctSolutions(frameY);
            const std::vector<FilledFrame> found = reg.found(all);
            for (const ChallengeLevel level : {ChallengeLevel::Easy, ChallengeLevel::Normal, ChallengeLevel::Hard}) {
                const int left = static_cast<int>(level);
                SCOPED_TRACE(std::string(reg.name) + ", frame " + FrameName(frameY) + ", " + ChallengeLevelName(level));
                const std::optional<Challenge> challenge = MakeChallenge(counter, found, level, 7);
                ASSERT_TRUE(challenge.has_value());
                ASSERT_EQ(challenge->frameY, frameY);

                // Whole pieces only: each placed letter on five cells, the rest empty.
                std::map<char, int> cellsOf;
                for (const char code : challenge->cells) ++cellsOf[code];
                EXPECT_EQ(cellsOf[kEmpty], 5 * left) << ::testing::PrintToString(Rows(*challenge));
                EXPECT_EQ(cellsOf.size(), static_cast<std::size_t>(kPieceCount - left + 1));
                for (const auto& [code, count] : cellsOf) {
                    EXPECT_TRUE(code == kEmpty || (IsPieceLetter(code) && count == 5)) << code;
                }

                // The counts are the board's as the game will count it.
                testing::RecordingErrorSink errors;
                Board board = testing::MakeBoard(errors, frameY);
                testing::SetPicture(board, Rows(*challenge));
                const std::vector<FilledFrame> completions = counter.DistinctFor(board);
                const auto unfound = static_cast<std::size_t>(
                    std::count_if(completions.begin(), completions.end(), [&found](const FilledFrame& c) {
                        return !std::binary_search(found.begin(), found.end(), c);
                    }));
                EXPECT_EQ(challenge->completions, completions.size());
                EXPECT_EQ(challenge->unfound, unfound);
                // One unfound completion alone is within reach from every solution
                // of these registers: the best board leaves no other way.
                EXPECT_EQ(completions.size(), 1U) << ::testing::PrintToString(Rows(*challenge));
                EXPECT_EQ(unfound, 1U);
                if (reg.lastOnlyUnfound) {
                    EXPECT_TRUE(std::binary_search(completions.begin(), completions.end(), all.back()));
                }
            }
        }
    }
}

TEST(Challenge, NoneWhenEverySolutionIsFound) {
    for (const int frameY : kFrameHeights) {
        SCOPED_TRACE(frameY);
        const std::optional<Challenge> challenge =
            MakeChallenge(CompletionCounterFor(frameY), DistinctSolutions(frameY), ChallengeLevel::Normal, 1);
        EXPECT_FALSE(challenge.has_value());
    }
}

// The button's search reads the register in the program folder afresh: a
// frame it holds whole, or a register that cannot be read, is told instead.
TEST(Challenge, FindChallengeReadsTheRegister) {
    const std::vector<FilledFrame> solutions = DistinctSolutions(3);
    const auto lines = [](const std::vector<FilledFrame>& boards) {
        std::string text;
        for (const FilledFrame& board : boards) {
            GameRecord record;
            record.frameY = 3;
            record.marker = kSolutionMarker;
            record.cells = TurnedFrame(board);  // any image of it counts
            text += FormatGameRecord(record, testing::FixedClock({2026, 12, 8, 9, 0, 0}));
        }
        return text;
    };
    struct Case {
        const char* name;
        std::function<void(const std::string& file)> prepare;
        const char* message;  // the start of the message, "" for a challenge
    } const cases[] = {
        {"no register yet", [](const std::string&) {}, ""},
        {"one of two found", [&](const std::string& file) { testing::WriteAll(file, lines({solutions[0]})); }, ""},
        {"both found", [&](const std::string& file) { testing::WriteAll(file, lines(solutions)); },
         "3 * 20 の枠の解は、2 通りすべて見つけています。"},
        {"a folder in its place", [](const std::string& file) { std::filesystem::create_directory(file); },
         "解答の記録 \"Tilvaren.csv\" を読めなかったため"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TempDir dir;
        c.prepare(dir.File(kSolutionFile));
        const ChallengeSearch search = FindChallenge(3, ChallengeLevel::Easy, dir.Path(), 3);
        EXPECT_EQ(search.message.rfind(c.message, 0), 0U) << search.message;
        ASSERT_EQ(search.challenge.has_value(), *c.message == '\0');
        if (search.challenge) {
            EXPECT_EQ(search.challenge->unfound, 1U);
        }
    }
}

// The seed decides: the same one gives the same board, others vary it.
TEST(Challenge, SeedPicksTheBoard) {
    const CompletionCounter& counter = CompletionCounterFor(6);
    std::set<std::array<char, 60>> boards;
    for (std::uint64_t seed = 1; seed <= 4; ++seed) {
        const std::optional<Challenge> once = MakeChallenge(counter, {}, ChallengeLevel::Normal, seed);
        const std::optional<Challenge> again = MakeChallenge(counter, {}, ChallengeLevel::Normal, seed);
        ASSERT_TRUE(once && again);
        EXPECT_EQ(once->cells, again->cells);
        boards.insert(once->cells);
    }
    EXPECT_GT(boards.size(), 1U);
}

}  // namespace
}  // namespace tilvaren
