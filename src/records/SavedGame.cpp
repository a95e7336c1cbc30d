#include "records/SavedGame.hpp"

#include <cstdio>

#include "board/DrawBoard.hpp"
#include "records/FileNames.hpp"

namespace tilvaren {

namespace {

// A saved game is one short line; anything far larger is not one.
constexpr std::size_t kSavedGameLimit = 64 * 1024;

SavedGameReadResult Reject(const std::string& programDir, std::string problem) {
    const std::string path = programDir + kSavedGameFile;
    const std::string aside = programDir + kRejectedSavedGameFile;
    if (std::rename(path.c_str(), aside.c_str()) != 0) {
        problem += " (it could not be moved aside)";
    }
    return {SavedGameReadResult::Outcome::Rejected, std::move(problem)};
}

}  // namespace

GameRecord SavedGameRecord(const Board& board) {
    GameRecord record;
    record.frameY = board.FrameY;
    for (int n = 0; n < kCellCount; ++n) record.cells[static_cast<std::size_t>(n)] = board.CellCode(n);
    record.marker = kSavedGameMarker;
    return record;
}

FileResult SavedGameWrite(const Board& board, const std::string& programDir, const Clock& clock) {
    return WriteFileAtomically(programDir + kSavedGameFile, FormatGameRecord(SavedGameRecord(board), clock));
}

SavedGameReadResult SavedGameRead(Board& board, GameView& view, const std::string& programDir) {
    const ReadResult read = ReadSmallFile(programDir + kSavedGameFile, kSavedGameLimit);
    if (!read.status) return Reject(programDir, read.status.reason);
    if (!read.content) return {};
    const ParsedRecord parsed = ParseGameRecord(*read.content);
    if (!parsed.ok) return Reject(programDir, parsed.problem);
    SavedGameRestore(board, view, parsed.record);
    return {SavedGameReadResult::Outcome::Restored, {}};
}

void SavedGameRestore(Board& board, GameView& view, const GameRecord& record) {
    const int before = board.FrameY;
    board.FrameY = record.frameY;
    if (board.FrameY != before) {
        board.SetFrameGeometry();
        board.BuildOrientationOffsets();
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

std::string SavedGameRejectedMessage(const std::string& problem) {
    return std::string("保存されたゲーム \"") + kSavedGameFile + "\" を読み込めませんでした（" + problem +
           "）。新しいゲームを始めます。元のファイルは \"" + kRejectedSavedGameFile + "\" として残してあります。";
}

}  // namespace tilvaren
