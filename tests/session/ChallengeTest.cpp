#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "records/FileNames.hpp"
#include "records/GameRecord.hpp"
#include "session/Challenge.hpp"
#include "support/TempDir.hpp"
#include "support/TestBoards.hpp"

namespace tilvaren {
namespace {

// Challenges of each level on each frame against registers of known contents:
// whole pieces placed, the level's number left, and the one completion
// unfound; none for a frame found whole.
TEST(Challenge, LeavesTheLevelsPiecesTowardAnUnfoundSolution) {
    struct Register {
        const char* name;
        bool (*found)(std::size_t i, std::size_t count);  // of the frame's distinct solutions
    } const registers[] = {
        {"empty", [](std::size_t, std::size_t) { return false; }},
        {"two in three found", [](std::size_t i, std::size_t) { return i % 3 != 0; }},
        {"all but the last found", [](std::size_t i, std::size_t count) { return i + 1 < count; }},
        {"all found", [](std::size_t, std::size_t) { return true; }},
    };
    for (const Register& reg : registers) {
        for (const int frameY : kFrameHeights) {
            const CompletionCounter counter(frameY);
            const std::vector<FilledFrame> all = DistinctSolutions(frameY);
            std::vector<FilledFrame> found;
            for (std::size_t i = 0; i < all.size(); ++i) {
                if (reg.found(i, all.size())) found.push_back(all[i]);
            }
            for (const ChallengeLevel level : {ChallengeLevel::Easy, ChallengeLevel::Normal, ChallengeLevel::Hard}) {
                SCOPED_TRACE(std::string(reg.name) + ", frame " + FrameName(frameY) + ", level " +
                             std::to_string(static_cast<int>(level)));
                const std::optional<Challenge> challenge = MakeChallenge(counter, found, level, 7);
                ASSERT_EQ(challenge.has_value(), found.size() < all.size());
                if (!challenge) continue;
                testing::RecordingErrorSink errors;
                Board board = testing::MakeBoard(errors, frameY);
                for (int n = 0; n < kCellCount; ++n) board.Bsts[board.GridIndexOf(n)] = challenge->cells[n];
                const std::string picture = ::testing::PrintToString(testing::Picture(board));

                std::map<char, int> cellsOf;
                for (const char code : challenge->cells) ++cellsOf[code];
                EXPECT_EQ(cellsOf[kEmpty], 5 * static_cast<int>(level)) << picture;
                EXPECT_EQ(cellsOf.size(), static_cast<std::size_t>(kPieceCount - static_cast<int>(level) + 1)) << picture;
                for (const auto& [code, count] : cellsOf) EXPECT_TRUE(code == kEmpty || count == 5) << picture;

                // One unfound completion alone is within reach from every
                // solution: the best board leaves no other way.
                const std::vector<FilledFrame> completions = counter.DistinctFor(board);
                ASSERT_EQ(completions.size(), 1U) << picture;
                EXPECT_FALSE(std::binary_search(found.begin(), found.end(), completions[0])) << picture;
                EXPECT_EQ(challenge->completions, 1U);
                EXPECT_EQ(challenge->unfound, 1U);
            }
        }
    }
}

// The button's search reads the register in the program folder afresh, and
// tells a frame found whole or a register it cannot read.
TEST(Challenge, FindChallengeReadsTheRegister) {
    std::string bothFound;
    std::string bothFoundLastFirst;
    for (const FilledFrame& board : DistinctSolutions(3)) {
        GameRecord record;
        record.frameY = 3;
        record.marker = kSolutionMarker;
        record.cells = TurnedFrame(board);  // any image of it counts
        const std::string line = FormatGameRecord(record, testing::FixedClock({2026, 12, 8, 9, 0, 0}));
        bothFound += line;
        bothFoundLastFirst.insert(0, line);
    }
    using K = Notice::Kind;
    struct Case {
        const char* name;
        std::function<void(const std::string& file)> prepare;
        std::optional<K> why;  // none for a challenge
    } const cases[] = {
        {"no register yet", [](const std::string&) {}, std::nullopt},
        {"both found", [&](const std::string& file) { testing::WriteAll(file, bothFound); }, K::AllFound},
        {"both found, the last solution first",
         [&](const std::string& file) { testing::WriteAll(file, bothFoundLastFirst); }, K::AllFound},
        {"both found after 100 MB of one damaged line",
         [&](const std::string& file) {
             testing::WriteAll(file, "x");
             std::filesystem::resize_file(file, 100U << 20U);  // sparse: no disk is used
             std::ofstream(file, std::ios::app) << "\n" << bothFound;
         },
         K::AllFound},
        {"a folder in its place", [](const std::string& file) { std::filesystem::create_directory(file); },
         K::ChallengeUnprepared},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TempDir dir;
        c.prepare(dir.File(kSolutionFile));
        const ChallengeSearch search = FindChallenge(3, ChallengeLevel::Easy, dir.Path(), 3);
        ASSERT_EQ(search.challenge.has_value(), !c.why) << search.challenge.has_value();
        if (!c.why) continue;
        EXPECT_EQ(search.why.kind, *c.why);
        EXPECT_EQ(search.why.count, *c.why == K::AllFound ? 2U : 0U);
        EXPECT_EQ(search.why.failure.error, *c.why == K::AllFound ? 0 : EISDIR);
    }
}

}  // namespace
}  // namespace tilvaren
