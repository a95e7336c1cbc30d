#include "session/Completion.hpp"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>

namespace tilvaren {

BoardCells::BoardCells(const Board& board) : frameY(board.FrameY()), allPlaced(board.AllPiecesPlaced()) {
    for (int n = 0; n < kCellCount; ++n) {
        // A just placed piece wears its letter only after the redraw, and
        // without a recognised letter the redraw frees it.
        char code = board.CellCode(n);
        if (code == kJustPlaced) code = IsPieceLetter(board.FoundLetter) ? board.FoundLetter : kEmpty;
        codes[static_cast<std::size_t>(n)] = code;
    }
}

namespace {

constexpr std::uint64_t Bit(int n) { return std::uint64_t{1} << n; }

// What a board fixes: the cells of each placed piece and the selection.
struct Pattern {
    bool possible = true;
    int placedCount = 0;
    std::array<std::size_t, kPieceCount> placedPiece{};
    std::array<std::uint64_t, kPieceCount> placedCells{};
    std::uint64_t selection = 0;
};

Pattern ReadPattern(const BoardCells& board, int frameY) {
    Pattern pattern;
    if (board.frameY != frameY || !IsFrameHeight(frameY)) {
        pattern.possible = false;
        return pattern;
    }
    std::array<std::uint64_t, kPieceCount> cells{};
    for (int n = 0; n < kCellCount; ++n) {
        const char code = board.codes[static_cast<std::size_t>(n)];
        const int piece = PieceNumberOf(code);
        if (piece >= 0) {
            cells[static_cast<std::size_t>(piece)] |= Bit(n);
        } else if (code == kSelected) {
            pattern.selection |= Bit(n);
        } else if (code != kEmpty && code != kBlocked) {
            pattern.possible = false;
        }
    }
    for (std::size_t p = 0; p < cells.size(); ++p) {
        if (cells[p] == 0) continue;
        const auto i = static_cast<std::size_t>(pattern.placedCount++);
        pattern.placedPiece[i] = p;
        pattern.placedCells[i] = cells[p];
    }
    return pattern;
}

// One slot per frame height, 3..6; anything else has no counter.
struct CounterSlot {
    std::once_flag built;
    std::unique_ptr<const CompletionCounter> counter;
    std::atomic<const CompletionCounter*> ready{nullptr};
};

CounterSlot* SlotFor(int frameY) {
    static std::array<CounterSlot, kFrameHeights.size()> slots;
    return IsFrameHeight(frameY) ? &slots[static_cast<std::size_t>(frameY - kFrameHeights.back())] : nullptr;
}

}  // namespace

const CompletionCounter& CompletionCounterFor(int frameY) {
    CounterSlot* slot = SlotFor(frameY);
    if (slot == nullptr) {
        static const CompletionCounter none(0);
        return none;
    }
    std::call_once(slot->built, [slot, frameY] {
        slot->counter = std::make_unique<const CompletionCounter>(frameY);
        slot->ready.store(slot->counter.get(), std::memory_order_release);
    });
    return *slot->counter;
}

const CompletionCounter* BuiltCompletionCounter(int frameY) {
    const CounterSlot* slot = SlotFor(frameY);
    return slot != nullptr ? slot->ready.load(std::memory_order_acquire) : nullptr;
}

CompletionCounter::CompletionCounter(int frameY) : frameY_(frameY) {
    const std::vector<FilledFrame>& solutions = FrameSolutions(frameY);
    std::vector<FilledFrame> canonical;
    canonical.reserve(solutions.size());
    for (const FilledFrame& solution : solutions) canonical.push_back(CanonicalFrame(solution, frameY));
    distinct_ = canonical;
    std::sort(distinct_.begin(), distinct_.end());
    distinct_.erase(std::unique(distinct_.begin(), distinct_.end()), distinct_.end());

    images_.reserve(solutions.size());
    for (std::size_t s = 0; s < solutions.size(); ++s) {
        Image image{};
        for (int n = 0; n < kCellCount; ++n) {
            const int piece = PieceNumberOf(solutions[s][static_cast<std::size_t>(n)]);
            image.pieces[static_cast<std::size_t>(piece)] |= Bit(n);
        }
        const auto at = std::lower_bound(distinct_.begin(), distinct_.end(), canonical[s]);
        image.distinctId = static_cast<std::uint32_t>(at - distinct_.begin());
        images_.push_back(image);
    }
    // The images of one class side by side: a count of distinct ones needs no
    // memory of its own.
    std::stable_sort(images_.begin(), images_.end(),
                     [](const Image& a, const Image& b) { return a.distinctId < b.distinctId; });
}

template <typename Match>
std::size_t CompletionCounter::ForEachMatch(const BoardCells& board, Match&& match) const {
    const Pattern pattern = ReadPattern(board, frameY_);
    if (!pattern.possible) return 0;
    const std::uint64_t selection = pattern.selection;
    std::size_t ways = 0;
    for (const Image& image : images_) {
        bool fits = true;
        for (int i = 0; i < pattern.placedCount && fits; ++i) {
            const auto at = static_cast<std::size_t>(i);
            fits = image.pieces[pattern.placedPiece[at]] == pattern.placedCells[at];
        }
        if (!fits) continue;
        if (selection != 0) {
            // Placed pieces match exactly and hold no selected cell, so a
            // piece that holds the whole selection is one not yet placed.
            fits = std::any_of(image.pieces.begin(), image.pieces.end(),
                               [selection](std::uint64_t cells) { return (cells & selection) == selection; });
            if (!fits) continue;
        }
        ++ways;
        match(image);
    }
    return ways;
}

CompletionCounter::Count CompletionCounter::CountFor(const BoardCells& board) const {
    Count count;
    std::uint32_t last = 0;
    count.ways = ForEachMatch(board, [&count, &last](const Image& image) {
        const std::uint32_t id = image.distinctId;
        if (count.distinct == 0 || id != last) ++count.distinct;
        last = id;
    });
    return count;
}

std::vector<FilledFrame> CompletionCounter::DistinctFor(const BoardCells& board) const {
    std::vector<FilledFrame> result;
    std::uint32_t last = 0;
    ForEachMatch(board, [this, &result, &last](const Image& image) {
        const std::uint32_t id = image.distinctId;
        if (result.empty() || id != last) result.push_back(distinct_[id]);
        last = id;
    });
    return result;
}

std::size_t CompletionCounter::ForEachCompletion(const BoardCells& board,
                                                 const std::function<void(const PieceCells&)>& use) const {
    return ForEachMatch(board, [&use](const Image& image) { use(image.pieces); });
}

RegisterStanding CompareWithRegister(const CompletionCounter& counter, const RegisterReport& report,
                                     const BoardCells& board) {
    RegisterStanding standing;
    standing.frameTotal = counter.DistinctTotal();
    const std::vector<FilledFrame> distinct = counter.DistinctFor(board);
    standing.distinct = distinct.size();
    standing.finished = board.frameY == counter.FrameY() &&
                        std::all_of(board.codes.begin(), board.codes.end(), [](char code) { return IsPieceLetter(code); });

    const auto frame = report.frames.find(counter.FrameY());
    if (frame == report.frames.end()) return standing;
    const std::vector<RegisterReport::Found>& found = frame->second.found;
    standing.registerHolds = found.size();
    for (const RegisterReport::Found& entry : found) {
        if (std::binary_search(distinct.begin(), distinct.end(), entry.canonical)) ++standing.distinctFound;
    }
    // A filled board's only completion is itself.
    if (standing.finished && distinct.size() == 1) {
        const auto entry = std::find_if(found.begin(), found.end(), [&distinct](const RegisterReport::Found& f) {
            return f.canonical == distinct.front();
        });
        if (entry != found.end()) standing.found = *entry;
    }
    return standing;
}

}  // namespace tilvaren
