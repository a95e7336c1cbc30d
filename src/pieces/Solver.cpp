#include "pieces/Solver.hpp"

#include <algorithm>
#include <atomic>
#include <bit>
#include <memory>
#include <mutex>

#include "core/Frame.hpp"
#include "pieces/Catalogue.hpp"

namespace tilvaren {

namespace {

// Cells are numbered for the search along the short side first (down each
// column), so the first empty cell always lies in the leftmost open column and
// the pieces that can cover it are few.
class FrameSolver {
public:
    explicit FrameSolver(int frameY) : height_(frameY), width_(FrameWidthOf(frameY)) {
        for (int k = 0; k < kOrientationCount; ++k) AddPlacements(k);
    }

    // The X goes first: it has the fewest places, and the holes it leaves
    // next to the frame's edge are found at once.
    std::vector<FilledFrame> Run() {
        for (const Placement& x : xPlacements_) {
            stack_[0] = x;
            Search(x.mask, 1U << x.piece, 1);
        }
        return std::move(found_);
    }

private:
    struct Placement {
        std::uint64_t mask;
        int piece;
    };

    int Bit(int row, int column) const { return column * height_ + row; }

    void AddPlacements(int k) {
        const int piece = PieceNumberOf(Change62ToAlp(k, silent_));
        const bool isX = kPieceLetters[static_cast<std::size_t>(piece)] == 'X';
        for (int row = 0; row < height_; ++row) {
            for (int column = 0; column < width_; ++column) {
                // Every board has an image with the X's centre in the upper-left
                // quarter (middle lines included); the other images are made
                // from it afterwards.
                if (isX && (2 * (row + 1) > height_ - 1 || 2 * column > width_ - 1)) continue;
                std::uint64_t mask = std::uint64_t{1} << Bit(row, column);
                bool inside = true;
                for (const ShapeCell cell : kOrientationCells[static_cast<std::size_t>(k)]) {
                    const int r = row + cell.row;
                    const int c = column + cell.column;
                    if (r < 0 || r >= height_ || c < 0 || c >= width_) {
                        inside = false;
                        break;
                    }
                    mask |= std::uint64_t{1} << Bit(r, c);
                }
                if (!inside) continue;
                if (isX) {
                    xPlacements_.push_back({mask, piece});
                    continue;
                }
                byFirstCell_[static_cast<std::size_t>(std::countr_zero(mask))].push_back({mask, piece});
            }
        }
    }

    void Search(std::uint64_t filled, unsigned used, int depth) {
        if (depth == kPieceCount) {
            Record();
            return;
        }
        const int first = std::countr_zero(~filled);
        for (const Placement& p : byFirstCell_[static_cast<std::size_t>(first)]) {
            if ((used >> p.piece) & 1U || (p.mask & filled) != 0) continue;
            if (!Fillable(filled | p.mask)) continue;
            stack_[static_cast<std::size_t>(depth)] = p;
            Search(filled | p.mask, used | (1U << p.piece), depth + 1);
        }
    }

    // A cheap dead-end test: an empty cell whose four neighbours are all
    // filled (or outside the frame) can never be covered.
    bool Fillable(std::uint64_t filled) const {
        const std::uint64_t empty = ~filled & full_;
        const std::uint64_t emptyBelow = (empty >> 1) & ~bottomRow_;
        const std::uint64_t emptyAbove = (empty << 1) & ~topRow_;
        const std::uint64_t emptyRight = empty >> height_;
        const std::uint64_t emptyLeft = empty << height_;
        return (empty & ~(emptyBelow | emptyAbove | emptyRight | emptyLeft)) == 0;
    }

    void Record() {
        FilledFrame frame{};
        for (int d = 0; d < kPieceCount; ++d) {
            const Placement& p = stack_[static_cast<std::size_t>(d)];
            std::uint64_t mask = p.mask;
            while (mask != 0) {
                const int bit = std::countr_zero(mask);
                mask &= mask - 1;
                const int row = bit % height_;
                const int column = bit / height_;
                frame[static_cast<std::size_t>(row * width_ + column)] = kPieceLetters[static_cast<std::size_t>(p.piece)];
            }
        }
        found_.push_back(frame);
    }

    std::uint64_t RowMask(int row) const {
        std::uint64_t mask = 0;
        for (int c = 0; c < width_; ++c) mask |= std::uint64_t{1} << Bit(row, c);
        return mask;
    }

    int height_;
    int width_;
    SilentErrorSink silent_;
    std::array<std::vector<Placement>, 60> byFirstCell_;
    std::vector<Placement> xPlacements_;
    std::array<Placement, kPieceCount> stack_{};
    std::vector<FilledFrame> found_;
    std::uint64_t topRow_ = RowMask(0);
    std::uint64_t bottomRow_ = RowMask(height_ - 1);
    std::uint64_t full_ = (std::uint64_t{1} << 60) - 1;
};

}  // namespace

FilledFrame TurnedFrame(const FilledFrame& frame) {
    FilledFrame turned;
    std::reverse_copy(frame.begin(), frame.end(), turned.begin());
    return turned;
}

FilledFrame MirroredFrame(const FilledFrame& frame, int frameY) {
    const int width = FrameWidthOf(frameY);
    FilledFrame mirrored;
    for (int start = 0; start < 60; start += width) {
        std::reverse_copy(frame.begin() + start, frame.begin() + start + width, mirrored.begin() + start);
    }
    return mirrored;
}

std::array<FilledFrame, 4> FrameImages(const FilledFrame& frame, int frameY) {
    const FilledFrame turned = TurnedFrame(frame);
    return {frame, turned, MirroredFrame(frame, frameY), MirroredFrame(turned, frameY)};
}

FilledFrame CanonicalFrame(const FilledFrame& frame, int frameY) {
    const std::array<FilledFrame, 4> images = FrameImages(frame, frameY);
    return *std::min_element(images.begin(), images.end());
}

std::vector<FilledFrame> SolveFrame(int frameY) {
    if (!IsFrameHeight(frameY)) return {};
    const std::vector<FilledFrame> found = FrameSolver(frameY).Run();
    std::vector<FilledFrame> all;
    all.reserve(found.size() * 4);
    for (const FilledFrame& frame : found) {
        const std::array<FilledFrame, 4> images = FrameImages(frame, frameY);
        all.insert(all.end(), images.begin(), images.end());
    }
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    return all;
}

SolvedFrame SolveWhole(int frameY) {
    SolvedFrame solved;
    solved.images = SolveFrame(frameY);
    // The images are sorted, so the smallest of each class come out sorted too.
    for (const FilledFrame& frame : solved.images) {
        if (CanonicalFrame(frame, frameY) == frame) solved.distinct.push_back(frame);
    }
    solved.byClass.reserve(solved.images.size());
    for (const FilledFrame& frame : solved.images) {
        SolvedFrame::Image image{};
        for (std::size_t n = 0; n < frame.size(); ++n) {
            image.pieces[static_cast<std::size_t>(PieceNumberOf(frame[n]))] |= std::uint64_t{1} << n;
        }
        const auto at = std::lower_bound(solved.distinct.begin(), solved.distinct.end(), CanonicalFrame(frame, frameY));
        image.distinctId = static_cast<std::uint32_t>(at - solved.distinct.begin());
        solved.byClass.push_back(image);
    }
    std::stable_sort(solved.byClass.begin(), solved.byClass.end(),
                     [](const SolvedFrame::Image& a, const SolvedFrame::Image& b) { return a.distinctId < b.distinctId; });
    return solved;
}

namespace {

// One slot per frame height, 3..6.
struct Slot {
    std::once_flag solved;
    std::unique_ptr<const SolvedFrame> frame;
    std::atomic<const SolvedFrame*> ready{nullptr};
};

Slot* SlotOf(int frameY) {
    static std::array<Slot, kFrameHeights.size()> slots;
    return IsFrameHeight(frameY) ? &slots[static_cast<std::size_t>(frameY - kFrameHeights.back())] : nullptr;
}

}  // namespace

const SolvedFrame& SolvedFrameOf(int frameY) {
    static const SolvedFrame none;
    Slot* slot = SlotOf(frameY);
    if (slot == nullptr) return none;
    std::call_once(slot->solved, [slot, frameY] {
        slot->frame = std::make_unique<const SolvedFrame>(SolveWhole(frameY));
        slot->ready.store(slot->frame.get(), std::memory_order_release);
    });
    return *slot->frame;
}

const SolvedFrame* SolvedFrameIfReady(int frameY) {
    const Slot* slot = SlotOf(frameY);
    return slot != nullptr ? slot->ready.load(std::memory_order_acquire) : nullptr;
}

int SolutionNumber(const FilledFrame& board, int frameY) {
    if (!IsFrameHeight(frameY)) return 0;
    const std::vector<FilledFrame>& distinct = FrameDistinct(frameY);
    const FilledFrame canonical = CanonicalFrame(board, frameY);
    const auto place = std::lower_bound(distinct.begin(), distinct.end(), canonical);
    if (place == distinct.end() || *place != canonical) return 0;
    return static_cast<int>(place - distinct.begin()) + 1;
}

}  // namespace tilvaren
