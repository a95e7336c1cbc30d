#include "records/SolutionRegister.hpp"

#include "records/FileNames.hpp"

namespace tilvaren {

UClassification SolutionClassify(const Board& board) {
    UClassification result;
    if (board.FrameY() != 6) return result;
    int first = -1;
    for (int n = 0; n < kCellCount && first < 0; ++n) {
        if (board.CellCode(n) == 'U') first = n;
    }
    if (first < 0) return result;

    const int row = first / board.FrameX();
    const int column = first % board.FrameX();
    // Cells outside the frame are never "U".
    const auto isU = [&board](int r, int c) {
        return r >= 0 && r < board.FrameY() && c >= 0 && c < board.FrameX() && board.CellCode(r * board.FrameX() + c) == 'U';
    };
    int cupRow = row + 1;
    int cupColumn = column;
    if (isU(row, column + 2) && isU(row, column + 1)) {
        result.opening = 'S';
        cupColumn = column + 1;
    } else if (isU(row, column + 2)) {
        result.opening = 'N';
        cupRow = row;
        cupColumn = column + 1;
    } else if (isU(row + 1, column)) {
        result.opening = 'E';
        cupColumn = column + 1;
    } else {
        result.opening = 'W';
    }
    if (cupRow < board.FrameY() && cupColumn < board.FrameX()) {
        result.cupLetter = board.CellCode(cupRow * board.FrameX() + cupColumn);
    }
    // Two digits for every cell a finished board can have its cup on.
    if (cupRow + 1 <= 9 && cupColumn + 1 <= 9) {
        result.cupPosition = std::string{static_cast<char>('1' + cupRow), static_cast<char>('1' + cupColumn)};
    }
    return result;
}

GameRecord SolutionRecord(const Board& board) {
    GameRecord record;
    record.frameY = board.FrameY();
    const UClassification u = SolutionClassify(board);
    record.cupPosition = u.cupPosition;
    record.opening = u.opening;
    record.cupLetter = u.cupLetter;
    for (int n = 0; n < kCellCount; ++n) record.cells[static_cast<std::size_t>(n)] = board.CellCode(n);
    record.marker = kSolutionMarker;
    return record;
}

FileResult SolutionFileEnsure(const std::string& programDir) {
    return CreateFileIfMissing(programDir + kSolutionFile);
}

FileResult SolutionAppend(const Board& board, const std::string& programDir, const Clock& clock) {
    // A last line without its line end is ended first, so the two records stay apart.
    return AppendToFile(programDir + kSolutionFile, FormatGameRecord(SolutionRecord(board), clock), "\r\n");
}

}  // namespace tilvaren
