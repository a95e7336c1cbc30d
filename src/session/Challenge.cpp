#include "session/Challenge.hpp"

#include <algorithm>
#include <bit>
#include <random>

#include "records/FileNames.hpp"
#include "records/RegisterReport.hpp"
#include "records/RegisterFile.hpp"

namespace tilvaren {

namespace {

// A completion the register holds weighs as much as this many unfound ones:
// two completions, one of them found, weigh as much as six all unfound.
constexpr std::size_t kFoundWeight = 4;

// The sets of `count` pieces out of twelve, as bit masks, in increasing order.
std::vector<unsigned> PieceSubsets(int count) {
    std::vector<unsigned> subsets;
    for (unsigned mask = 0; mask < (1U << kPieceCount); ++mask) {
        if (std::popcount(mask) == count) subsets.push_back(mask);
    }
    return subsets;
}

// One of the four images of the board, by number.
FilledFrame ImageOf(const FilledFrame& board, int frameY, unsigned image) {
    FilledFrame result = board;
    if ((image & 1U) != 0) result = TurnedFrame(result);
    if ((image & 2U) != 0) result = MirroredFrame(result, frameY);
    return result;
}

// A solution image that places at least the kept pieces where the chosen
// solution has them: which of its pieces agree (bit p for piece p), its class
// and whether the register lacks that class.
struct Near {
    unsigned agreeing;
    std::uint32_t classId;
    bool unfound;
};

// The frame's images that agree with `solution` on at least `atLeast`
// pieces: the only boards that can complete a board made of that many of its pieces.
std::vector<Near> NearImages(const FilledFrame& solution, const SolvedFrame& solved, int atLeast,
                             const std::vector<FilledFrame>& found) {
    std::array<std::uint64_t, kPieceCount> cells{};
    for (std::size_t n = 0; n < solution.size(); ++n) {
        cells[static_cast<std::size_t>(PieceNumberOf(solution[n]))] |= std::uint64_t{1} << n;
    }
    std::vector<Near> near;
    for (const SolvedFrame::Image& image : solved.byClass) {
        unsigned agreeing = 0;
        for (std::size_t p = 0; p < cells.size(); ++p) agreeing |= image.pieces[p] == cells[p] ? 1U << p : 0U;
        if (std::popcount(agreeing) < atLeast) continue;
        const FilledFrame& canonical = solved.distinct[image.distinctId];
        near.push_back({agreeing, image.distinctId, !std::binary_search(found.begin(), found.end(), canonical)});
    }
    return near;
}

}  // namespace

std::optional<Challenge> MakeChallenge(const CompletionCounter& counter, const std::vector<FilledFrame>& found,
                                       ChallengeLevel level, std::uint64_t seed) {
    const int frameY = counter.FrameY();
    const std::vector<FilledFrame>& all = counter.Solved().distinct;
    std::vector<FilledFrame> unfoundSolutions;
    std::set_difference(all.begin(), all.end(), found.begin(), found.end(), std::back_inserter(unfoundSolutions));
    if (unfoundSolutions.empty()) return std::nullopt;

    std::mt19937_64 random(seed);
    const FilledFrame solution = ImageOf(unfoundSolutions[static_cast<std::size_t>(random() % unfoundSolutions.size())],
                                         frameY, static_cast<unsigned>(random() % 4));
    const int left = static_cast<int>(level);
    const std::vector<Near> near = NearImages(solution, counter.Solved(), kPieceCount - left, found);

    // Every way to leave the pieces out is weighed, in an order the seed
    // shuffles so that it picks among equally good ones.
    std::vector<unsigned> leaveOut = PieceSubsets(left);
    std::shuffle(leaveOut.begin(), leaveOut.end(), random);
    constexpr unsigned kAllPieces = (1U << kPieceCount) - 1;
    std::vector<unsigned> seen(all.size(), 0);
    unsigned stamp = 0;
    unsigned bestMask = 0;
    std::size_t bestCost = 0;
    std::size_t bestCompletions = 0;
    std::size_t bestUnfound = 0;
    for (const unsigned mask : leaveOut) {
        const unsigned kept = kAllPieces & ~mask;
        ++stamp;
        std::size_t completions = 0;
        std::size_t unfound = 0;
        for (const Near& image : near) {
            if ((image.agreeing & kept) != kept || seen[image.classId] == stamp) continue;
            seen[image.classId] = stamp;
            ++completions;
            if (image.unfound) ++unfound;
        }
        // The solution itself is among them, so one at least is unfound.
        const std::size_t cost = completions + kFoundWeight * (completions - unfound);
        if (bestCompletions != 0 && cost >= bestCost) continue;
        bestMask = mask;
        bestCost = cost;
        bestCompletions = completions;
        bestUnfound = unfound;
    }

    Challenge challenge{frameY, solution, bestCompletions, bestUnfound};
    for (char& code : challenge.cells) {
        if (((bestMask >> PieceNumberOf(code)) & 1U) != 0) code = kEmpty;
    }
    return challenge;
}

ChallengeSearch FindChallenge(int frameY, ChallengeLevel level, const std::string& programDir, std::uint64_t seed) {
    ChallengeSearch search;
    const RegisterRead read = ReadRegisterIn(programDir);
    if (!read.status) {
        // Without the register no board can be known to lead somewhere new.
        search.why = {Notice::Kind::ChallengeUnprepared, read.status};
        search.why.names = {kSolutionFile};
        return search;
    }
    const RegisterReport& report = read.report;
    std::vector<FilledFrame> found;
    if (const auto frame = report.frames.find(frameY); frame != report.frames.end()) {
        for (const RegisterReport::Found& entry : frame->second.found) found.push_back(entry.canonical);
    }
    std::sort(found.begin(), found.end());
    const CompletionCounter counter(frameY);
    search.challenge = MakeChallenge(counter, found, level, seed);
    if (!search.challenge) {
        search.why.kind = Notice::Kind::AllFound;
        search.why.frameY = frameY;
        search.why.count = counter.DistinctTotal();
    }
    return search;
}

ChallengeLine TakenLine(const Challenge& challenge) {
    const auto empty = static_cast<std::size_t>(std::count(challenge.cells.begin(), challenge.cells.end(), kEmpty));
    return {ChallengeLine::Kind::Taken, empty / 5, challenge.completions, challenge.unfound};
}

}  // namespace tilvaren
