#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pieces/Solver.hpp"
#include "session/Completion.hpp"

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

// A challenge found for the player, or why there is none, in Japanese.
struct ChallengeSearch {
    std::optional<Challenge> challenge;
    std::string message;  // "" with a challenge
};

// The whole search behind the collection window's button: the register in
// the program folder read afresh, the frame's counter (built once per frame
// and kept) and the challenge. Slow on a frame's first use: for a worker
// thread.
ChallengeSearch FindChallenge(int frameY, ChallengeLevel level, const std::string& programDir, std::uint64_t seed);

// The level's name as the player reads it: "やさしい", "ふつう", "むずかしい".
std::string ChallengeLevelName(ChallengeLevel level);

// What the collection window says of a challenge taken: its completions and
// how many of them are not yet found.
std::string ChallengeText(const Challenge& challenge);

}  // namespace tilvaren
