#pragma once

#include <array>
#include <string_view>

#include "core/ErrorSink.hpp"

namespace tilvaren {

inline constexpr int kPieceCount = 12;
inline constexpr int kOrientationCount = 63;

// The twelve letters in catalogue order; index = piece number.
inline constexpr std::array<char, kPieceCount> kPieceLetters = {'F', 'I', 'L', 'N', 'P', 'T',
                                                                'U', 'V', 'W', 'X', 'Y', 'Z'};
// First orientation number and orientation count per piece number.
inline constexpr std::array<int, kPieceCount> kFirstOrientation = {0,  8,  10, 18, 26, 34,
                                                                   38, 42, 46, 50, 51, 59};
inline constexpr std::array<int, kPieceCount> kOrientationsOfPiece = {8, 2, 8, 8, 8, 4,
                                                                      4, 4, 4, 1, 8, 4};

struct ShapeCell {
    int row;
    int column;
};

// The four non-anchor cells of each orientation, in reading order, relative to
// the anchor (the leftmost cell of the top row). Index = orientation number.
extern const std::array<std::array<ShapeCell, 4>, kOrientationCount> kOrientationCells;

// Grid offsets of the four non-anchor cells for one grid row length; every row
// is positive and strictly ascending.
using OrientationOffsetTable = std::array<std::array<int, 4>, kOrientationCount>;

// Fills all 63 rows for the given grid row length (GridStride).
void BuildOrientationOffsets(int gridStride, OrientationOffsetTable& table);

// Piece number of a letter, or -1 when the code is no piece letter. Never reports.
constexpr int PieceNumberOf(char letter) {
    for (int i = 0; i < kPieceCount; ++i) {
        if (kPieceLetters[static_cast<std::size_t>(i)] == letter) return i;
    }
    return -1;
}

constexpr bool IsPieceLetter(char code) { return PieceNumberOf(code) >= 0; }

// Letter of orientation k (0..62); any other k reports and gives ' '.
char Change62ToAlp(int k, ErrorSink& errors);
// Letter of piece number i (0..11); any other i reports and gives ' '.
char Change11ToAlp(int i, ErrorSink& errors);
// First orientation number of a letter; anything but one of the twelve capital
// letters, as a whole string, reports and gives 99.
int ChangeToNum(std::string_view letter, ErrorSink& errors);
// Orientation count of a letter; same error path as ChangeToNum.
int ChangeToNumCount(std::string_view letter, ErrorSink& errors);

// The marker the two number conversions return for a bad argument.
inline constexpr int kBadNumber = 99;

}  // namespace tilvaren
