#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pieces/Solver.hpp"
#include "session/Completion.hpp"
#include "session/Notice.hpp"

namespace tilvaren {

// How many pieces a challenge leaves to place: やさしい 4, ふつう 6, むずかしい 8.
enum class ChallengeLevel { Easy = 4, Normal = 6, Hard = 8 };

// A board to finish: some pieces of a solution already placed, the rest to
// be found by the player.
struct Challenge {
    int frameY = 6;
    std::array<char, 60> cells{};  // the placed pieces' letters, '0' for the empty cells
    std::size_t completions = 0;   // distinct solutions the board can become
    std::size_t unfound = 0;       // of those, how many the register does not hold
};

// A board of the counter's frame with all but `level` pieces of a solution
// the register does not hold yet placed, so finishing it always can add to
// the collection; none when every solution of the frame is found. Among the
// ways to leave pieces out, the one kept has few completions, most of them
// unfound. `found`: the canonical boards the register holds for the frame,
// sorted. The same arguments give the same challenge; `seed` picks among
// equals. Safe from any thread; well under a screen frame's time once the
// counter is built.
std::optional<Challenge> MakeChallenge(const CompletionCounter& counter, const std::vector<FilledFrame>& found,
                                       ChallengeLevel level, std::uint64_t seed);

// A challenge found for the player, or why there is none.
struct ChallengeSearch {
    std::optional<Challenge> challenge;
    Notice why;  // without a challenge: the register unreadable, or every solution found
};

// The whole search behind a collection page's 挑戦: the register in the
// program folder read afresh, the frame's counter and the challenge. Slow on
// a frame's first use: for a worker thread.
ChallengeSearch FindChallenge(int frameY, ChallengeLevel level, const std::string& programDir, std::uint64_t seed);

// The line beside a collection page's 挑戦: empty, a search under way (the
// button then waits), or the challenge taken, with the pieces it leaves, its
// completions and how many of them are not yet found.
struct ChallengeLine {
    enum class Kind { Empty, Preparing, Taken };
    Kind kind = Kind::Empty;
    std::size_t left = 0;
    std::size_t completions = 0;
    std::size_t unfound = 0;

    friend bool operator==(const ChallengeLine&, const ChallengeLine&) = default;
};
ChallengeLine TakenLine(const Challenge& challenge);

}  // namespace tilvaren
