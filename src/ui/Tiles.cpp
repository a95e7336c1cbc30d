#include "ui/Tiles.hpp"

#include "records/Settings.hpp"

namespace tilvaren {

namespace {

constexpr int kOutlineCodes[] = {0, 1, 10, 11, 100, 101, 110, 111, 1000, 1001, 1010, 1011, 1100, 1101, 1110, 1111};

const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kYellow = qRgb(255, 255, 0);

bool IsOutlineCode(int code) {
    for (const int c : kOutlineCodes) {
        if (c == code) return true;
    }
    return false;
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
    const bool n = code / 1000 % 10 == 1;
    const bool e = code / 100 % 10 == 1;
    const bool so = code / 10 % 10 == 1;
    const bool w = code % 10 == 1;
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
    if (n && w) mark(1, 0, 0, 1, 1, 1);
    if (n && e) mark(s - 2, 0, s - 1, 1, s - 2, 1);
    if (so && w) mark(1, s - 1, 0, s - 2, 1, s - 2);
    if (so && e) mark(s - 2, s - 1, s - 1, s - 2, s - 2, s - 2);
    return tile;
}

}  // namespace

int TileSizeFor(int frameSize) { return kTileSizes[SizeIndex(frameSize)]; }

QImage GenerateTile(int code, int size) { return IsOutlineCode(code) ? OutlineTile(code, size) : BlockedTile(size); }

TileStore::TileStore() {
    for (int i = 0; i < 3; ++i) {
        for (const int code : kOutlineCodes) outline_[i][code] = QPixmap::fromImage(GenerateTile(code, kTileSizes[i]));
        blocked_[i] = QPixmap::fromImage(BlockedTile(kTileSizes[i]));
    }
}

const QPixmap& TileStore::TileByCode(int code, int frameSize) const {
    const int i = SizeIndex(frameSize);
    const auto found = outline_[i].find(code);
    return found != outline_[i].end() ? found->second : blocked_[i];
}

}  // namespace tilvaren
