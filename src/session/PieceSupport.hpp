#pragma once

#include <array>
#include <atomic>
#include <optional>
#include <string>

#include "board/Board.hpp"
#include "pieces/Catalogue.hpp"
#include "session/Completion.hpp"
#include "session/StatusTexts.hpp"

namespace tilvaren {

// The strip's line under the pieces: none yet, counting, the completions
// `left` (in distinct solutions), a board that cannot be finished (a
// warning) or one that is finished.
struct SupportLine {
    enum class Kind { None, Counting, Left, CannotFinish, Finished };
    Kind kind = Kind::None;
    std::size_t left = 0;

    bool Warning() const { return kind == Kind::CannotFinish; }
    friend bool operator==(const SupportLine&, const SupportLine&) = default;
};

// What the strip shows at once after a change. The line is set only when it
// is known without counting (the frame's solutions are still being worked
// out); otherwise the count's line follows from a worker.
struct SupportPicture {
    std::array<PieceLook, kPieceCount> looks{};
    std::optional<SupportLine> line;

    friend bool operator==(const SupportPicture&, const SupportPicture&) = default;
};

// Numbers the strip's counts so that only the newest is run and shown: each
// new request makes every earlier one stale. Safe to use from any thread.
class NewestRequest {
public:
    unsigned Next() { return ++latest_; }
    // Makes every request so far stale, as when the strip goes off.
    void DropAll() { ++latest_; }
    bool IsNewest(unsigned request) const { return latest_.load() == request; }

private:
    std::atomic<unsigned> latest_{0};
};

// How the strip draws each piece: plain, dimmed because it stands on the
// board, or marked because the selection rules it out, as the status bar says.
std::array<PieceLook, kPieceCount> PieceLooksFor(const Board& board);

// The cells the strip draws piece i with, each at (row, column) from the top
// left: the piece's orientation of fewest rows, so all fit three rows high.
std::array<ShapeCell, 5> StripShapeOf(int piece);

// The line for a count of completions; none while the count is unknown.
SupportLine CompletionLine(std::optional<CompletionCounter::Count> count);

// The strip's line for the board (finished once every piece is placed), counted with the frame's counter (which it
// builds when the frame is new to the program). For a worker thread.
SupportLine CountCompletionLine(const BoardCells& board);

// The picture for the board; its line is "counting" while the frame's
// solutions are not yet worked out. Never waits.
SupportPicture SupportPictureFor(const Board& board);

}  // namespace tilvaren
