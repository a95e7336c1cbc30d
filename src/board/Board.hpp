#pragma once

#include <array>

#include "core/CellCodes.hpp"
#include "core/Frame.hpp"
#include "core/ErrorSink.hpp"
#include "pieces/Catalogue.hpp"

namespace tilvaren {

inline constexpr int kGridSize = 308;
inline constexpr int kMaxSelected = 5;

// Markers that the two coordinate conversions return for a bad argument.
inline constexpr int kBadGridIndex = 999;
inline constexpr int kBadCellNumber = 99;

// The whole state of one puzzle board: the padded grid with its cell codes,
// the drawn copy, the orientation flags, the candidate counters, the
// selection and the orientation offsets for the current frame.
//
// Every operation is safe for any argument: an out-of-range cell number or
// grid index is reported through the error sink and never indexes an array.
// Everything one step of a game changes: the cell codes, the orientation
// flags, the candidate counters and the selection. The frame, the drawn copy
// and the orientation offsets stay with the frame and are not part of it.
struct GameState {
    std::array<char, kGridSize> Bsts{};
    std::array<char, kOrientationCount> Psts{};
    std::array<int, kCellCount> BpointCounter{};
    int CandidateCount = 0;
    std::array<int, kMaxSelected> SelectedCells{};
    int SelectedCount = 0;
    // True when the last CollectCells found more matching cells than
    // SelectedCells holds; only a damaged saved game can cause it.
    bool SelectionOverflow = false;
    char FoundLetter = kNoLetterYet;
    bool GameStarted = false;

    friend bool operator==(const GameState&, const GameState&) = default;
};

class Board : public GameState {
public:
    explicit Board(ErrorSink& errors);

    ErrorSink& Errors() const { return *errors_; }

    // The frame: its height 3..6, its width in cells and the padded grid's
    // row length.
    int FrameY() const { return frameY_; }
    int FrameX() const { return frameX_; }
    int GridStride() const { return gridStride_; }

    std::array<char, kGridSize> DrawnBsts{};
    OrientationOffsetTable OrientationOffsets{};

    // Puts the board on the frame of this height and derives the width, the
    // grid's row length and the orientation offsets from it. A height outside
    // 3..6 (the only frames the grid has room for) becomes 6. The cells are
    // left as they are: ResetBoard starts a game on the new frame.
    void SetFrame(int frameY);
    // Starts an empty game on the current frame; counters and the selection
    // list are left as they are.
    void ResetBoard();

    // Cell number 0..59 to grid index; anything else reports and gives 999.
    int ChangeTo307(int n) const;
    // Grid index of a frame cell to its cell number. An index outside the
    // frame's part of the array reports and gives 99; a wall cell inside it
    // gives 99 without a report.
    int ChangeTo59(int g) const {
        if (g < 0 || g >= (frameY_ + 2 * kWallWidth) * gridStride_) return ReportBadGridIndex(g);
        const int n = cellOfGrid_[static_cast<std::size_t>(g)];
        return n < 0 ? kBadCellNumber : n;
    }
    // Grid index without any report, or -1 for a bad cell number.
    int GridIndexOf(int n) const;
    // True when g is the grid index of one of the 60 frame cells.
    bool IsFrameCell(int g) const;

    // Code of cell n, or kWall for a bad cell number (no report).
    char CellCode(int n) const;

    void SetPieceFlags(char letter, char code);
    void ReplaceCode(char oldCode, char newCode);
    void FillDrawnBsts(char code);
    bool CollectCells(char code);

    // Number of orientation flags equal to code.
    int CountFlags(char code) const;
    // True when all 63 flags are "2": every piece is on the board.
    bool AllPiecesPlaced() const { return CountFlags(kFlagPlaced) == kOrientationCount; }

private:
    int ReportBadGridIndex(int g) const;

    ErrorSink* errors_;
    int frameY_ = kDefaultFrameY;
    int frameX_ = FrameWidthOf(kDefaultFrameY);
    int gridStride_ = GridStrideOf(kDefaultFrameY);
    // Cell number of every grid index for the current frame, -1 for walls;
    // rebuilt by SetFrame.
    std::array<signed char, kGridSize> cellOfGrid_{};
};

}  // namespace tilvaren
