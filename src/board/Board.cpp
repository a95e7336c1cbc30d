#include "board/Board.hpp"

#include "core/Frame.hpp"

#include <algorithm>
#include <string>

namespace tilvaren {

Board::Board(ErrorSink& errors) : errors_(&errors) {
    SetFrame(kDefaultFrameY);
    Bsts.fill(kWall);
    DrawnBsts.fill(kWall);
    Psts.fill(kFlagAvailable);
}

void Board::SetFrame(int frameY) {
    frameY_ = ValidFrameY(frameY);
    frameX_ = FrameWidthOf(frameY_);
    gridStride_ = GridStrideOf(frameY_);
    cellOfGrid_.fill(-1);
    for (int n = 0; n < kCellCount; ++n) cellOfGrid_[static_cast<std::size_t>(GridIndexOf(n))] = static_cast<signed char>(n);
    BuildOrientationOffsets(gridStride_, OrientationOffsets);
}

void Board::ResetBoard() {
    GameStarted = false;
    FoundLetter = kNoLetterYet;
    FillDrawnBsts(kWall);
    Bsts.fill(kWall);
    for (int n = 0; n < kCellCount; ++n) Bsts[static_cast<std::size_t>(GridIndexOf(n))] = kEmpty;
    Psts.fill(kFlagAvailable);
}

int Board::GridIndexOf(int n) const {
    if (n < 0 || n >= kCellCount) return -1;
    return (n / frameX_) * 2 * kWallWidth + n + kWallWidth * gridStride_ + kWallWidth;
}

int Board::ChangeTo307(int n) const {
    const int g = GridIndexOf(n);
    if (g < 0) {
        errors_->InternalError(InternalErrorText("ChangeTo307", std::to_string(n)));
        return kBadGridIndex;
    }
    return g;
}

bool Board::IsFrameCell(int g) const { return g >= 0 && g < kGridSize && cellOfGrid_[static_cast<std::size_t>(g)] >= 0; }

int Board::ReportBadGridIndex(int g) const {
    errors_->InternalError(InternalErrorText("ChangeTo59", std::to_string(g) + ",FrameY=" + std::to_string(frameY_)));
    return kBadCellNumber;
}

char Board::CellCode(int n) const {
    const int g = GridIndexOf(n);
    return g < 0 ? kWall : Bsts[static_cast<std::size_t>(g)];
}

void Board::SetPieceFlags(char letter, char code) {
    const std::string text(1, letter);
    const int first = ChangeToNum(text, *errors_);
    const int count = ChangeToNumCount(text, *errors_);
    if (first == kBadNumber || count == kBadNumber) return;
    std::fill_n(Psts.begin() + first, count, code);
}

void Board::ReplaceCode(char oldCode, char newCode) {
    for (int n = 0; n < kCellCount; ++n) {
        char& cell = Bsts[static_cast<std::size_t>(GridIndexOf(n))];
        if (cell == oldCode) cell = newCode;
    }
}

void Board::FillDrawnBsts(char code) { DrawnBsts.fill(code); }

bool Board::CollectCells(char code) {
    SelectedCells.fill(0);
    SelectedCount = 0;
    SelectionOverflow = false;
    for (int n = 0; n < kCellCount; ++n) {
        const int g = GridIndexOf(n);
        if (Bsts[static_cast<std::size_t>(g)] != code) continue;
        if (SelectedCount == kMaxSelected) {
            SelectionOverflow = true;
            break;
        }
        SelectedCells[static_cast<std::size_t>(SelectedCount++)] = g;
    }
    return SelectedCount > 0;
}

int Board::CountFlags(char code) const {
    return static_cast<int>(std::count(Psts.begin(), Psts.end(), code));
}

}  // namespace tilvaren
