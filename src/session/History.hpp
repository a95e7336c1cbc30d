#pragma once

#include <array>
#include <cstddef>
#include <deque>

#include "board/Board.hpp"

namespace tilvaren {

// The steps of the game on one frame, in memory only. Undo and redo move
// through them; a new step after an undo drops the steps ahead. The oldest
// steps go once kLimit are kept, so memory and the piece search stay bounded
// however long a game is played.
class History {
public:
    static constexpr std::size_t kLimit = 10000;

    // A new history whose only state is the board as it stands.
    void Begin(const Board& board);
    // Adds the board as a new step when its cells or piece flags differ from
    // the state in hand. False when nothing was added.
    bool Record(const Board& board);

    bool CanUndo() const { return current_ > 0; }
    bool CanRedo() const { return current_ + 1 < states_.size(); }
    bool CanUndoPiece() const { return FindPieceStep(-1) != kNone; }
    bool CanRedoPiece() const { return FindPieceStep(+1) != kNone; }

    // Each moves to its state and returns it, or returns nullptr and stays.
    const GameState* Undo();
    const GameState* Redo();
    // To the nearest state, back or forward, with no selection pending and
    // fewer or more pieces on the board than now.
    const GameState* UndoPiece();
    const GameState* RedoPiece();

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t FindPieceStep(int direction) const;
    const GameState* MoveTo(std::size_t index);

    // A state with what the piece steps look for, worked out once.
    struct Step {
        GameState state;
        int pieces;
        bool pending;
    };
    std::deque<Step> states_;
    std::size_t current_ = 0;
};

}  // namespace tilvaren
