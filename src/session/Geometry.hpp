#pragma once

#include <array>

#include "core/Frame.hpp"

namespace tilvaren {

// Window frame allowance across and the narrowest outer width the window may
// have; the cells are centred in the extra room.
inline constexpr int kFrameAllowance = 8;
inline constexpr int kMinimumOuterWidth = 250;

// Pixel offset of column (or row) i from the left (or top) of the board area.
constexpr int CellOffset(int i, int frameSize) { return frameSize / 2 + i * frameSize; }

// The board area between the menu bar and the status bar.
struct BoardGeometry {
    int areaWidth = 0;      // (FrameX + 1) x FrameSize, or widened to the minimum
    int areaHeight = 0;     // (FrameY + 1) x FrameSize
    int centringShift = 0;  // added to every cell's left edge when widened
};

constexpr BoardGeometry BoardGeometryFor(int frameX, int frameY, int frameSize) {
    BoardGeometry g;
    g.areaWidth = (frameX + 1) * frameSize;
    g.areaHeight = (frameY + 1) * frameSize;
    const int outer = g.areaWidth + kFrameAllowance;
    if (outer < kMinimumOuterWidth) {
        g.centringShift = (kMinimumOuterWidth - outer) / 2;
        g.areaWidth = kMinimumOuterWidth - kFrameAllowance;
    }
    return g;
}

// Where one cell pair stands in the board area, in pixels.
struct CellPlace {
    int x = 0;
    int y = 0;
    friend bool operator==(const CellPlace&, const CellPlace&) = default;
};
using CellPlaces = std::array<CellPlace, 60>;

// Where the 60 cells of a frame stand at a cell size: row by row, centred in
// the board area when it is widened to the minimum.
constexpr CellPlaces CellPlacesFor(int frameY, int frameSize) {
    const int frameX = FrameWidthOf(frameY);
    const int shift = BoardGeometryFor(frameX, ValidFrameY(frameY), frameSize).centringShift;
    CellPlaces places{};
    for (int n = 0; n < 60; ++n) {
        places[static_cast<std::size_t>(n)] = {CellOffset(n % frameX, frameSize) + shift, CellOffset(n / frameX, frameSize)};
    }
    return places;
}

}  // namespace tilvaren
