#include "session/MoveFlow.hpp"

#include <algorithm>

#include "board/Recognition.hpp"
#include "board/Transforms.hpp"

namespace tilvaren {

namespace {

void Reevaluate(Board& board) {
    if (board.CollectCells(kSelected)) {
        RecognisePiece(board);
    } else {
        board.ReplaceCode(kBlocked, kEmpty);
    }
}

void RedrawAndRefresh(Board& board, GameView& view) {
    DrawBoard(board, view);
    view.SetTabToBestCell(BestCell(board));
    view.StatusBarPiecesSet();
}

}  // namespace

void SelectCell(Board& board, GameView& view, int n) {
    const int g = board.ChangeTo307(n);
    if (g == kBadGridIndex || board.Bsts[static_cast<std::size_t>(g)] != kEmpty) return;

    view.PlayClickSound();
    if (!board.GameStarted) {
        board.GameStarted = true;
        view.MenuFrameSet();
        view.MenuEditSet();
    }
    board.Bsts[static_cast<std::size_t>(g)] = kSelected;
    Reevaluate(board);
    RedrawAndRefresh(board, view);

    if (board.AllPiecesPlaced()) {
        // The board the player reads the message over is the one recorded:
        // a 6 x 10 already in its normal position.
        CorrectU(board);
        board.FillDrawnBsts(kWall);
        DrawBoard(board, view);
        view.ShowCongratulations();
        view.SolutionAppend();
    }
}

void TakeBackCell(Board& board, GameView& view, int n) {
    const int g = board.ChangeTo307(n);
    if (g == kBadGridIndex) return;
    const char code = board.Bsts[static_cast<std::size_t>(g)];
    if (code != kSelected && !IsPieceLetter(code)) return;

    view.PlayClickSound();
    if (code == kSelected) {
        board.Bsts[static_cast<std::size_t>(g)] = kEmpty;
        board.ReplaceCode(kBlocked, kEmpty);
    } else {
        board.SetPieceFlags(code, kFlagAvailable);
        board.ReplaceCode(code, kEmpty);
        board.ReplaceCode(kBlocked, kEmpty);
    }
    std::replace(board.Psts.begin(), board.Psts.end(), kFlagRuledOut, kFlagAvailable);
    Reevaluate(board);
    RedrawAndRefresh(board, view);
}

}  // namespace tilvaren

