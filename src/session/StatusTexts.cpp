#include "session/StatusTexts.hpp"

#include "pieces/Catalogue.hpp"

namespace tilvaren {

std::string PiecePanelText(const Board& board, int piece) {
    const char letter = Change11ToAlp(piece, board.Errors());
    const std::string name(1, letter);
    const int first = ChangeToNum(name, board.Errors());
    const int count = ChangeToNumCount(name, board.Errors());
    if (first == kBadNumber || count == kBadNumber) return "-";
    if (board.Psts[static_cast<std::size_t>(first)] == kFlagPlaced) return " ";
    for (int k = first; k < first + count; ++k) {
        if (board.Psts[static_cast<std::size_t>(k)] == kFlagAvailable) return name;
    }
    return "-";
}

}  // namespace tilvaren
