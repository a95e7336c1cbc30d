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

bool SameBoard(const GameState& a, const GameState& b) { return a.Bsts == b.Bsts && a.Psts == b.Psts; }

}  // namespace

void History::Begin(const Board& board) {
    const GameState& state = board;
    states_.assign(1, Step{state, PiecesOn(state), SelectionPending(state)});
    current_ = 0;
}

bool History::Record(const Board& board) {
    const GameState& state = board;
    // Only what the player sees makes a step: the cells and the pieces'
    // standing. A command that only used the selection list as scratch (the
    // U correction looks for its U with it) keeps the redo steps.
    if (!states_.empty() && SameBoard(states_[current_].state, state)) return false;
    if (!states_.empty()) states_.erase(states_.begin() + static_cast<std::ptrdiff_t>(current_) + 1, states_.end());
    states_.push_back(Step{state, PiecesOn(state), SelectionPending(state)});
    if (states_.size() > kLimit) states_.pop_front();
    current_ = states_.size() - 1;
    return true;
}

const GameState* History::MoveTo(std::size_t index) {
    if (index >= states_.size()) return nullptr;
    current_ = index;
    return &states_[current_].state;
}

const GameState* History::Undo() { return CanUndo() ? MoveTo(current_ - 1) : nullptr; }

const GameState* History::Redo() { return CanRedo() ? MoveTo(current_ + 1) : nullptr; }

const GameState* History::UndoPiece() { return MoveTo(FindPieceStep(-1)); }

const GameState* History::RedoPiece() { return MoveTo(FindPieceStep(+1)); }

std::size_t History::FindPieceStep(int direction) const {
    if (states_.empty()) return kNone;
    const int pieces = states_[current_].pieces;
    for (std::size_t i = current_; direction < 0 ? i-- > 0 : ++i < states_.size();) {
        if (states_[i].pending) continue;
        const int there = states_[i].pieces;
        if (direction < 0 ? there < pieces : there > pieces) return i;
    }
    return kNone;
}

}  // namespace tilvaren
