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

std::string LookWords(PieceLook look) {
    switch (look) {
        case PieceLook::Placed:
            return "盤上";
        case PieceLook::Plain:
            return "置ける";
        case PieceLook::RuledOut:
            break;
    }
    return "置けない";
}

std::string PiecePanelName(int piece, PieceLook look) {
    return "ピース " + std::string(1, kPieceLetters[static_cast<std::size_t>(piece)]) + " " + LookWords(look);
}

std::string CellName(const Board& board, int n) {
    const int width = board.FrameX() > 0 ? board.FrameX() : 1;
    std::string name = std::to_string(n / width + 1) + "行 " + std::to_string(n % width + 1) + "列 ";
    char code = board.CellCode(n);
    // A piece just placed wears its letter from the redraw on.
    if (code == kJustPlaced && IsPieceLetter(board.FoundLetter)) code = board.FoundLetter;
    if (code == kEmpty) return name + "空き";
    if (code == kSelected) return name + "選択中";
    if (code == kBlocked) return name + "使えない";
    if (IsPieceLetter(code)) return name + "ピース " + std::string(1, code);
    return name;
}

}  // namespace tilvaren
