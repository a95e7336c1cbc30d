#include "support/TestBoards.hpp"

#include <algorithm>

#include "session/MoveFlow.hpp"
#include "pieces/Catalogue.hpp"

namespace tilvaren::testing {

void RecordingView::ShowCongratulations() {
    steps.push_back("ShowCongratulations");
    if (board != nullptr) boardAtCongratulations = Picture(*board);
}

void RecordingView::SolutionAppend() {
    steps.push_back("SolutionAppend");
    if (board != nullptr) boardAtAppend = Picture(*board);
}

void RecordingView::ApplyCell(int n, const CellTarget& target) {
    if (paintedCells.empty() || steps.empty() || steps.back() != "DrawBoard") {
        steps.push_back("DrawBoard");
        ++drawPasses;
    }
    paintedCells.push_back(n);
    if (painted.size() < 60) painted.resize(60);
    painted[static_cast<std::size_t>(n)] = target;
}

Board MakeBoard(ErrorSink& errors, int frameY) {
    Board board(errors);
    board.SetFrame(frameY);
    board.ResetBoard();
    return board;
}

std::vector<std::string> Picture(const Board& board) {
    std::vector<std::string> rows;
    for (int r = 0; r < board.FrameY(); ++r) {
        std::string row;
        for (int c = 0; c < board.FrameX(); ++c) row += board.CellCode(Cell(board, r, c));
        rows.push_back(row);
    }
    return rows;
}

void SetPicture(Board& board, const std::vector<std::string>& rows) {
    for (int r = 0; r < board.FrameY(); ++r) {
        for (int c = 0; c < board.FrameX(); ++c) {
            board.Bsts[static_cast<std::size_t>(board.GridIndexOf(Cell(board, r, c)))] =
                rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
        }
    }
}

std::string PlaySolution(Board& board, GameView& view, const FilledFrame& solution, std::string& failure) {
    // Pieces in the order their first cell appears, as a player reading the
    // picture row by row would take them.
    std::string order;
    for (const char letter : solution) {
        if (order.find(letter) == std::string::npos) order += letter;
    }
    std::string recognised;
    for (const char letter : order) {
        for (int n = 0; n < kCellCount; ++n) {
            if (solution[static_cast<std::size_t>(n)] != letter) continue;
            if (board.AllPiecesPlaced()) break;  // completed, and perhaps normalised already
            const char code = board.CellCode(n);
            if (code == kSelected || code == letter) continue;  // filled by the program already
            if (code != kEmpty) {
                failure = std::string("cell ") + std::to_string(n) + " of " + letter + " shows '" + code + "' on";
                for (const std::string& row : Picture(board)) failure += " " + row;
                return recognised;
            }
            SelectCell(board, view, n);
        }
        for (int n = 0; n < kCellCount; ++n) {
            if (solution[static_cast<std::size_t>(n)] == letter && board.CellCode(n) != letter &&
                !board.AllPiecesPlaced()) {
                failure = std::string(1, letter) + " was not placed; cell " + std::to_string(n) + " shows '" +
                          board.CellCode(n) + "'";
                return recognised;
            }
        }
        recognised += letter;
    }
    return recognised;
}

}  // namespace tilvaren::testing
