#include "pieces/Catalogue.hpp"

#include <string>

namespace tilvaren {

// clang-format off
const std::array<std::array<ShapeCell, 4>, kOrientationCount> kOrientationCells = {{
    // F
    {{{0, 1}, {1, -1}, {1, 0}, {2, 0}}},     //  0 .## / ##. / .#.
    {{{1, -1}, {1, 0}, {1, 1}, {2, 1}}},     //  1 .#. / ### / ..#
    {{{1, 0}, {1, 1}, {2, -1}, {2, 0}}},     //  2 .#. / .## / ##.
    {{{1, 0}, {1, 1}, {1, 2}, {2, 1}}},      //  3 #.. / ### / .#.
    {{{0, 1}, {1, 1}, {1, 2}, {2, 1}}},      //  4 ##. / .## / .#.
    {{{1, -2}, {1, -1}, {1, 0}, {2, -1}}},   //  5 ..# / ### / .#.
    {{{1, -1}, {1, 0}, {2, 0}, {2, 1}}},     //  6 .#. / ##. / .##
    {{{1, -1}, {1, 0}, {1, 1}, {2, -1}}},    //  7 .#. / ### / #..
    // I
    {{{1, 0}, {2, 0}, {3, 0}, {4, 0}}},      //  8 vertical
    {{{0, 1}, {0, 2}, {0, 3}, {0, 4}}},      //  9 horizontal
    // L
    {{{1, 0}, {2, 0}, {3, 0}, {3, 1}}},      // 10 #. / #. / #. / ##
    {{{0, 1}, {0, 2}, {0, 3}, {1, 0}}},      // 11 #### / #...
    {{{0, 1}, {1, 1}, {2, 1}, {3, 1}}},      // 12 ## / .# / .# / .#
    {{{1, -3}, {1, -2}, {1, -1}, {1, 0}}},   // 13 ...# / ####
    {{{1, 0}, {2, 0}, {3, -1}, {3, 0}}},     // 14 .# / .# / .# / ##
    {{{1, 0}, {1, 1}, {1, 2}, {1, 3}}},      // 15 #... / ####
    {{{0, 1}, {1, 0}, {2, 0}, {3, 0}}},      // 16 ## / #. / #. / #.
    {{{0, 1}, {0, 2}, {0, 3}, {1, 3}}},      // 17 #### / ...#
    // N
    {{{1, -1}, {1, 0}, {2, -1}, {3, -1}}},   // 18 .# / ## / #. / #.
    {{{0, 1}, {0, 2}, {1, 2}, {1, 3}}},      // 19 ###. / ..##
    {{{1, 0}, {2, -1}, {2, 0}, {3, -1}}},    // 20 .# / .# / ## / #.
    {{{0, 1}, {1, 1}, {1, 2}, {1, 3}}},      // 21 ##.. / .###
    {{{1, 0}, {1, 1}, {2, 1}, {3, 1}}},      // 22 #. / ## / .# / .#
    {{{0, 1}, {1, -2}, {1, -1}, {1, 0}}},    // 23 ..## / ###.
    {{{1, 0}, {2, 0}, {2, 1}, {3, 1}}},      // 24 #. / #. / ## / .#
    {{{0, 1}, {0, 2}, {1, -1}, {1, 0}}},     // 25 .### / ##..
    // P
    {{{0, 1}, {1, 0}, {1, 1}, {2, 0}}},      // 26 ## / ## / #.
    {{{0, 1}, {0, 2}, {1, 1}, {1, 2}}},      // 27 ### / .##
    {{{1, -1}, {1, 0}, {2, -1}, {2, 0}}},    // 28 .# / ## / ##
    {{{0, 1}, {1, 0}, {1, 1}, {1, 2}}},      // 29 ##. / ###
    {{{0, 1}, {1, 0}, {1, 1}, {2, 1}}},      // 30 ## / ## / .#
    {{{0, 1}, {1, -1}, {1, 0}, {1, 1}}},     // 31 .## / ###
    {{{1, 0}, {1, 1}, {2, 0}, {2, 1}}},      // 32 #. / ## / ##
    {{{0, 1}, {0, 2}, {1, 0}, {1, 1}}},      // 33 ### / ##.
    // T
    {{{0, 1}, {0, 2}, {1, 1}, {2, 1}}},      // 34 ### / .#. / .#.
    {{{1, -2}, {1, -1}, {1, 0}, {2, 0}}},    // 35 ..# / ### / ..#
    {{{1, 0}, {2, -1}, {2, 0}, {2, 1}}},     // 36 .#. / .#. / ###
    {{{1, 0}, {1, 1}, {1, 2}, {2, 0}}},      // 37 #.. / ### / #..
    // U
    {{{0, 2}, {1, 0}, {1, 1}, {1, 2}}},      // 38 #.# / ###
    {{{0, 1}, {1, 0}, {2, 0}, {2, 1}}},      // 39 ## / #. / ##
    {{{0, 1}, {0, 2}, {1, 0}, {1, 2}}},      // 40 ### / #.#
    {{{0, 1}, {1, 1}, {2, 0}, {2, 1}}},      // 41 ## / .# / ##
    // V
    {{{1, 0}, {2, 0}, {2, 1}, {2, 2}}},      // 42 #.. / #.. / ###
    {{{0, 1}, {0, 2}, {1, 0}, {2, 0}}},      // 43 ### / #.. / #..
    {{{0, 1}, {0, 2}, {1, 2}, {2, 2}}},      // 44 ### / ..# / ..#
    {{{1, 0}, {2, -2}, {2, -1}, {2, 0}}},    // 45 ..# / ..# / ###
    // W
    {{{1, 0}, {1, 1}, {2, 1}, {2, 2}}},      // 46 #.. / ##. / .##
    {{{0, 1}, {1, -1}, {1, 0}, {2, -1}}},    // 47 .## / ##. / #..
    {{{0, 1}, {1, 1}, {1, 2}, {2, 2}}},      // 48 ##. / .## / ..#
    {{{1, -1}, {1, 0}, {2, -2}, {2, -1}}},   // 49 ..# / .## / ##.
    // X
    {{{1, -1}, {1, 0}, {1, 1}, {2, 0}}},     // 50 .#. / ### / .#.
    // Y
    {{{1, -1}, {1, 0}, {2, 0}, {3, 0}}},     // 51 .# / ## / .# / .#
    {{{1, -2}, {1, -1}, {1, 0}, {1, 1}}},    // 52 ..#. / ####
    {{{1, 0}, {2, 0}, {2, 1}, {3, 0}}},      // 53 #. / #. / ## / #.
    {{{0, 1}, {0, 2}, {0, 3}, {1, 1}}},      // 54 #### / .#..
    {{{1, 0}, {1, 1}, {2, 0}, {3, 0}}},      // 55 #. / ## / #. / #.
    {{{0, 1}, {0, 2}, {0, 3}, {1, 2}}},      // 56 #### / ..#.
    {{{1, 0}, {2, -1}, {2, 0}, {3, 0}}},     // 57 .# / .# / ## / .#
    {{{1, -1}, {1, 0}, {1, 1}, {1, 2}}},     // 58 .#.. / ####
    // Z
    {{{0, 1}, {1, 1}, {2, 1}, {2, 2}}},      // 59 ##. / .#. / .##
    {{{1, -2}, {1, -1}, {1, 0}, {2, -2}}},   // 60 ..# / ### / #..
    {{{1, 0}, {1, 1}, {1, 2}, {2, 2}}},      // 61 #.. / ### / ..#
    {{{0, 1}, {1, 0}, {2, -1}, {2, 0}}},     // 62 .## / .#. / ##.
}};
// clang-format on

void BuildOrientationOffsets(int gridStride, OrientationOffsetTable& table) {
    for (std::size_t k = 0; k < table.size(); ++k) {
        for (std::size_t j = 0; j < 4; ++j) {
            const ShapeCell cell = kOrientationCells[k][j];
            table[k][j] = cell.row * gridStride + cell.column;
        }
    }
}

namespace {

constexpr std::array<signed char, kOrientationCount> kPieceOfOrientation = [] {
    std::array<signed char, kOrientationCount> pieces{};
    for (int piece = 0; piece < kPieceCount; ++piece) {
        for (int i = 0; i < kOrientationsOfPiece[static_cast<std::size_t>(piece)]; ++i) {
            pieces[static_cast<std::size_t>(kFirstOrientation[static_cast<std::size_t>(piece)] + i)] =
                static_cast<signed char>(piece);
        }
    }
    return pieces;
}();

int PieceOfOrientation(int k) {
    return k < 0 || k >= kOrientationCount ? -1 : kPieceOfOrientation[static_cast<std::size_t>(k)];
}

// The whole argument must be one of the twelve capital letters.
int PieceNumberOfString(std::string_view letter) {
    return letter.size() == 1 ? PieceNumberOf(letter[0]) : -1;
}

}  // namespace

char Change62ToAlp(int k, ErrorSink& errors) {
    const int piece = PieceOfOrientation(k);
    if (piece < 0) {
        errors.InternalError(InternalErrorText("Change62ToAlp", std::to_string(k)));
        return ' ';
    }
    return kPieceLetters[static_cast<std::size_t>(piece)];
}

char Change11ToAlp(int i, ErrorSink& errors) {
    if (i < 0 || i >= kPieceCount) {
        errors.InternalError(InternalErrorText("Change11ToAlp", std::to_string(i)));
        return ' ';
    }
    return kPieceLetters[static_cast<std::size_t>(i)];
}

int ChangeToNum(std::string_view letter, ErrorSink& errors) {
    const int piece = PieceNumberOfString(letter);
    if (piece < 0) {
        errors.InternalError(InternalErrorText("ChangeToNum", std::string(letter)));
        return kBadNumber;
    }
    return kFirstOrientation[static_cast<std::size_t>(piece)];
}

int ChangeToNumCount(std::string_view letter, ErrorSink& errors) {
    const int piece = PieceNumberOfString(letter);
    if (piece < 0) {
        errors.InternalError(InternalErrorText("ChangeToNumCount", std::string(letter)));
        return kBadNumber;
    }
    return kOrientationsOfPiece[static_cast<std::size_t>(piece)];
}

}  // namespace tilvaren
