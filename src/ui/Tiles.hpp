#pragma once

#include <QImage>
#include <QPixmap>
#include <map>

#include "core/Frame.hpp"

namespace tilvaren {

// The tile sizes in use, and the size class a cell size falls into.
inline constexpr std::array<int, 3> kTileSizes = kCellSizes;
int TileSizeFor(int frameSize);

// One tile drawn from its pixel rules: an outline tile for the codes
// PieceTileCode gives (the sides N E S W as 0, 1, 10, ..., 1111, 0 being the
// red selection tile, and 10000 times the corners NE SE SW NW that lie inside
// the piece and so carry no corner mark), the blocked-cell tile for any other
// code.
QImage GenerateTile(int code, int size);

// Every tile, generated once at start-up and fixed for the program's life.
class TileStore {
public:
    TileStore();
    // The tile for a code at a cell size (its size class picks the set).
    const QPixmap& TileByCode(int code, int frameSize) const;

private:
    std::map<int, QPixmap> outline_[3];  // by size class, keyed by code
    QPixmap blocked_[3];
};

}  // namespace tilvaren
