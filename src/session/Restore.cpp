#include "session/Restore.hpp"

#include "session/DrawBoard.hpp"

namespace tilvaren {

SavedGameReadResult RestoreSavedGame(Board& board, GameView& view, const std::string& programDir) {
    SavedGameReadResult read = SavedGameRead(programDir);
    if (read.outcome == SavedGameReadResult::Outcome::Restored) SavedGameRestore(board, view, read.record);
    return read;
}

void SavedGameRestore(Board& board, GameView& view, const GameRecord& record) {
    if (record.frameY != board.FrameY()) {
        board.SetFrame(record.frameY);
        board.ResetBoard();
    }
    for (int n = 0; n < kCellCount; ++n) {
        board.Bsts[static_cast<std::size_t>(board.ChangeTo307(n))] = record.cells[static_cast<std::size_t>(n)];
    }
    SavedGamePiecesSet(board, view);
    view.MenuFrameSet();
    view.MenuEditSet();
}

void SavedGamePiecesSet(Board& board, GameView& view) {
    int free = 0;
    bool anySelected = false;
    for (int n = 0; n < kCellCount; ++n) {
        const char code = board.CellCode(n);
        if (IsPieceLetter(code)) {
            board.SetPieceFlags(code, kFlagPlaced);
        } else {
            ++free;
            anySelected = anySelected || code == kSelected;
        }
    }
    board.GameStarted = anySelected;
    if (free == kCellCount) return;
    if (free > 0) {
        board.GameStarted = true;
        return;
    }
    board.ResetBoard();
    DrawBoard(board, view);
    view.MenuFrameSet();
    view.MenuEditSet();
    view.StatusBarPiecesSet();
}

}  // namespace tilvaren
