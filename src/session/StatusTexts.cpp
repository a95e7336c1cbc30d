#include "session/StatusTexts.hpp"

#include "pieces/Catalogue.hpp"

namespace tilvaren {

PieceLook PieceLookOf(const Board& board, int piece) {
    const std::string name(1, Change11ToAlp(piece, board.Errors()));
    const int first = ChangeToNum(name, board.Errors());
    const int count = ChangeToNumCount(name, board.Errors());
    if (first == kBadNumber || count == kBadNumber) return PieceLook::RuledOut;
    if (board.Psts[static_cast<std::size_t>(first)] == kFlagPlaced) return PieceLook::Placed;
    for (int k = first; k < first + count; ++k) {
        if (board.Psts[static_cast<std::size_t>(k)] == kFlagAvailable) return PieceLook::Plain;
    }
    return PieceLook::RuledOut;
}

std::string PiecePanelText(int piece, PieceLook look) {
    switch (look) {
        case PieceLook::Placed:
            return " ";
        case PieceLook::Plain:
            return std::string(1, kPieceLetters[static_cast<std::size_t>(piece)]);
        case PieceLook::RuledOut:
            break;
    }
    return "-";
}

CellLabel CellLabelOf(const Board& board, int n) {
    const int width = board.FrameX() > 0 ? board.FrameX() : 1;
    char code = board.CellCode(n);
    // A piece just placed wears its letter from the redraw on.
    if (code == kJustPlaced && IsPieceLetter(board.FoundLetter)) code = board.FoundLetter;
    const bool named = code == kEmpty || code == kSelected || code == kBlocked || IsPieceLetter(code);
    return {n / width + 1, n % width + 1, named ? code : '\0'};
}

}  // namespace tilvaren
