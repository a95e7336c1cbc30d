#pragma once

#include <QImage>
#include <QPixmap>
#include <map>

#include "core/Frame.hpp"

namespace tilvaren {

// The tile sizes in use, and the size class a cell size falls into.
inline constexpr std::array<int, 3> kTileSizes = kCellSizes;
int TileSizeFor(int frameSize);

// One tile drawn from its pixel rules: an outline tile for the 16 codes
// (0, 1, 10, ..., 1111; 0 is the red selection tile), the blocked-cell tile
// for any other code.
QImage GenerateTile(int code, int size);

// The 51 tiles, generated once at start-up and fixed for the program's life.
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
