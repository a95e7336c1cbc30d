#include "ui/Tiles.hpp"

#include "records/Settings.hpp"

namespace tilvaren {

namespace {

constexpr int kOutlineCodes[] = {0, 1, 10, 11, 100, 101, 110, 111, 1000, 1001, 1010, 1011, 1100, 1101, 1110, 1111};

const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kYellow = qRgb(255, 255, 0);

bool IsSideCode(int code) {
    for (const int c : kOutlineCodes) {
        if (c == code) return true;
    }
    return false;
}

bool Digit(int code, int place) { return code / place % 10 == 1; }

// Four side digits N E S W, and above them the corners NE SE SW NW inside
// the piece, each only where both its sides continue.
bool IsOutlineCode(int code) {
    if (code < 0) return false;
    const int sides = code % 10000;
    const int inside = code / 10000;
    if (!IsSideCode(sides) || !IsSideCode(inside)) return false;
    const bool ne = Digit(sides, 1000) && Digit(sides, 100), se = Digit(sides, 10) && Digit(sides, 100);
    const bool sw = Digit(sides, 10) && Digit(sides, 1), nw = Digit(sides, 1000) && Digit(sides, 1);
    return (ne || !Digit(inside, 1000)) && (se || !Digit(inside, 100)) && (sw || !Digit(inside, 10)) &&
           (nw || !Digit(inside, 1));
}

int SizeIndex(int frameSize) {
    const int size = SizeClassOf(frameSize);
    return size == kCellSizes[0] ? 0 : (size == kCellSizes[1] ? 1 : 2);
}

QImage BlockedTile(int s) {
    QImage tile(s, s, QImage::Format_RGB32);
    tile.fill(qRgb(168, 152, 144));
    const QRgb dark = qRgb(120, 96, 88);
    const QRgb light = qRgb(216, 208, 200);
    for (int i = 1; i <= s - 2; ++i) {
        tile.setPixel(i, 1, dark);
        tile.setPixel(1, i, dark);
    }
    for (int i = 1; i <= s - 1; ++i) {
        tile.setPixel(s - 1, i, light);
        tile.setPixel(i, s - 1, light);
    }
    for (int i = 0; i < s; ++i) {
        tile.setPixel(i, 0, qRgb(0, 0, 0));
        tile.setPixel(0, i, qRgb(0, 0, 0));
    }
    return tile;
}

QImage OutlineTile(int code, int s) {
    const bool n = Digit(code, 1000);
    const bool e = Digit(code, 100);
    const bool so = Digit(code, 10);
    const bool w = Digit(code, 1);
    QImage tile(s, s, QImage::Format_RGB32);
    tile.fill(code == 0 ? kRed : kBlue);

    const int left = w ? 0 : 1;
    const int right = e ? s - 1 : s - 2;
    const int top = n ? 0 : 1;
    const int bottom = so ? s - 1 : s - 2;
    const auto horizontal = [&](int y) {
        for (int x = left; x <= right; ++x) tile.setPixel(x, y, kYellow);
    };
    const auto vertical = [&](int x) {
        for (int y = top; y <= bottom; ++y) tile.setPixel(x, y, kYellow);
    };
    if (!n) horizontal(1);
    if (!so) horizontal(s - 2);
    if (!w) vertical(1);
    if (!e) vertical(s - 2);

    const auto mark = [&](int x0, int y0, int x1, int y1, int x2, int y2) {
        tile.setPixel(x0, y0, kYellow);
        tile.setPixel(x1, y1, kYellow);
        tile.setPixel(x2, y2, kYellow);
    };
    // A bend of the outline joins the lines of the two neighbours; a corner
    // inside the piece has no outline to join.
    if (n && w && !Digit(code, 10000)) mark(1, 0, 0, 1, 1, 1);
    if (n && e && !Digit(code, 10000000)) mark(s - 2, 0, s - 1, 1, s - 2, 1);
    if (so && w && !Digit(code, 100000)) mark(1, s - 1, 0, s - 2, 1, s - 2);
    if (so && e && !Digit(code, 1000000)) mark(s - 2, s - 1, s - 1, s - 2, s - 2, s - 2);
    return tile;
}

}  // namespace

int TileSizeFor(int frameSize) { return kTileSizes[SizeIndex(frameSize)]; }

QImage GenerateTile(int code, int size) { return IsOutlineCode(code) ? OutlineTile(code, size) : BlockedTile(size); }

TileStore::TileStore() {
    for (int i = 0; i < 3; ++i) {
        for (const int inside : kOutlineCodes) {
            for (const int sides : kOutlineCodes) {
                const int code = 10000 * inside + sides;
                if (IsOutlineCode(code)) outline_[i][code] = QPixmap::fromImage(OutlineTile(code, kTileSizes[i]));
            }
        }
        blocked_[i] = QPixmap::fromImage(BlockedTile(kTileSizes[i]));
    }
}

const QPixmap& TileStore::TileByCode(int code, int frameSize) const {
    const int i = SizeIndex(frameSize);
    const auto found = outline_[i].find(code);
    return found != outline_[i].end() ? found->second : blocked_[i];
}

}  // namespace tilvaren
