#include "session/History.hpp"

#include <algorithm>

namespace tilvaren {

namespace {

// Pieces on the board, counted by letter so that a damaged board still counts right.
int PiecesOn(const GameState& state) {
    std::array<bool, kPieceCount> seen{};
    for (const char code : state.Bsts) {
        if (IsPieceLetter(code)) seen[static_cast<std::size_t>(PieceNumberOf(code))] = true;
    }
    return static_cast<int>(std::count(seen.begin(), seen.end(), true));
}

bool SelectionPending(const GameState& state) {
    return std::find(state.Bsts.begin(), state.Bsts.end(), kSelected) != state.Bsts.end();
}

}  // namespace

void History::Begin(const Board& board) {
    states_.assign(1, static_cast<const GameState&>(board));
    current_ = 0;
}

bool History::Record(const Board& board) {
    GameState state = board;
    if (!states_.empty() && states_[current_] == state) return false;
    if (!states_.empty()) states_.resize(current_ + 1);
    states_.push_back(std::move(state));
    current_ = states_.size() - 1;
    return true;
}

const GameState* History::MoveTo(std::size_t index) {
    if (index >= states_.size()) return nullptr;
    current_ = index;
    return &states_[current_];
}

const GameState* History::Undo() { return CanUndo() ? MoveTo(current_ - 1) : nullptr; }

const GameState* History::Redo() { return CanRedo() ? MoveTo(current_ + 1) : nullptr; }

const GameState* History::UndoPiece() { return MoveTo(FindPieceStep(-1)); }

const GameState* History::RedoPiece() { return MoveTo(FindPieceStep(+1)); }

std::size_t History::FindPieceStep(int direction) const {
    if (states_.empty()) return kNone;
    const int pieces = PiecesOn(states_[current_]);
    for (std::size_t i = current_; direction < 0 ? i-- > 0 : ++i < states_.size();) {
        const GameState& s = states_[i];
        if (SelectionPending(s)) continue;
        const int there = PiecesOn(s);
        if (direction < 0 ? there < pieces : there > pieces) return i;
    }
    return kNone;
}

}  // namespace tilvaren
