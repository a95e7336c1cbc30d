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

namespace tilvaren {

// A window's rectangle on the screen, in the window system's pixels.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int Right() const { return x + width; }  // the first column past it
    int Bottom() const { return y + height; }
    bool Contains(const ScreenRect& r) const {
        return r.x >= x && r.y >= y && r.Right() <= Right() && r.Bottom() <= Bottom();
    }
    bool Overlaps(const ScreenRect& r) const {
        return r.x < Right() && x < r.Right() && r.y < Bottom() && y < r.Bottom();
    }
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// What a second window asks for: the frame it would like and the least it
// can do with (both with its decorations), and where it was left before
// (width 0: nowhere kept).
struct SecondWindowWish {
    int width = 0;
    int height = 0;
    int leastWidth = 0;
    int leastHeight = 0;
    ScreenRect kept;
};

// Where a second window's frame goes beside the main window's frame
// `main`, on the screen's available area: where it was kept while that
// still lies wholly on the area and off the main window (else it goes as
// below, at its kept size); else right of the main window, else left,
// else below, else above, on the first side with room for its least size,
// as large as it asks and the room allows; else on the side with the most
// room, as little over the main window as the area allows. The result never
// reaches past the available area, whatever the window asks.
ScreenRect PlaceBeside(const ScreenRect& main, const SecondWindowWish& wish, const ScreenRect& available);

}  // namespace tilvaren
