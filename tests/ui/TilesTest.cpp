#include <QtTest>

#include "session/Geometry.hpp"
#include "ui/Tiles.hpp"

namespace tilvaren {

class TilesTest : public QObject {
    Q_OBJECT
private slots:
    void PixelsFollowTheRules_data();
    void PixelsFollowTheRules();
    void StoreChoosesBySizeClass();
    void GeometryOfEveryFrameAndSize_data();
    void GeometryOfEveryFrameAndSize();
};

namespace {
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kYellow = qRgb(255, 255, 0);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kDark = qRgb(120, 96, 88);
const QRgb kLight = qRgb(216, 208, 200);
const QRgb kFace = qRgb(168, 152, 144);
}  // namespace

void TilesTest::PixelsFollowTheRules_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("size");
    // Each expected pixel as x, y, colour; -1 counts from the far edge (s - 1).
    QTest::addColumn<QList<QList<int>>>("pixels");
    for (const int s : kTileSizes) {
        const QByteArray at = " at " + QByteArray::number(s);
        // The selection tile: red face, a closed yellow square one pixel in.
        QTest::newRow("0000" + at) << 0 << s
                                   << QList<QList<int>>{{0, 0, int(kRed)},      {1, 1, int(kYellow)},
                                                        {s - 2, 1, int(kYellow)}, {1, s - 2, int(kYellow)},
                                                        {s / 2, 1, int(kYellow)}, {2, 2, int(kRed)},
                                                        {s - 1, s - 1, int(kRed)}, {s / 2, s / 2, int(kRed)}};
        // A middle cell of a horizontal run: lines top and bottom to both edges.
        QTest::newRow("0101" + at) << 101 << s
                                   << QList<QList<int>>{{0, 1, int(kYellow)},       {s - 1, 1, int(kYellow)},
                                                        {0, s - 2, int(kYellow)},   {s - 1, s - 2, int(kYellow)},
                                                        {0, 0, int(kBlue)},         {1, s / 2, int(kBlue)},
                                                        {s - 2, s / 2, int(kBlue)}, {s / 2, s / 2, int(kBlue)}};
        // The X centre: no lines, a corner mark of three pixels in each corner.
        QTest::newRow("1111" + at) << 1111 << s
                                   << QList<QList<int>>{{1, 0, int(kYellow)},         {0, 1, int(kYellow)},
                                                        {1, 1, int(kYellow)},         {s - 2, 0, int(kYellow)},
                                                        {s - 1, 1, int(kYellow)},     {s - 2, 1, int(kYellow)},
                                                        {1, s - 1, int(kYellow)},     {0, s - 2, int(kYellow)},
                                                        {1, s - 2, int(kYellow)},     {s - 2, s - 1, int(kYellow)},
                                                        {s - 1, s - 2, int(kYellow)}, {s - 2, s - 2, int(kYellow)},
                                                        {0, 0, int(kBlue)},           {2, 1, int(kBlue)},
                                                        {s / 2, 1, int(kBlue)},       {2, 2, int(kBlue)}};
        // The left end of an I along the top: closed on three sides, open to the east.
        QTest::newRow("0100" + at) << 100 << s
                                   << QList<QList<int>>{{1, 1, int(kYellow)},     {s - 1, 1, int(kYellow)},
                                                        {1, s - 2, int(kYellow)}, {s - 1, s - 2, int(kYellow)},
                                                        {0, 1, int(kBlue)},       {s - 2, s / 2, int(kBlue)},
                                                        {1, 0, int(kBlue)}};
        // The corner cell of a V: the outline bends at the bottom right.
        QTest::newRow("0110" + at) << 110 << s
                                   << QList<QList<int>>{{s - 2, s - 1, int(kYellow)}, {s - 1, s - 2, int(kYellow)},
                                                        {s - 2, s - 2, int(kYellow)}, {1, s - 1, int(kYellow)},
                                                        {s - 1, 1, int(kYellow)},     {s - 1, s - 1, int(kBlue)},
                                                        {s - 3, s - 3, int(kBlue)}};
        // The same sides at the top left of a P's 2 x 2 block: the bottom
        // right corner lies inside the piece and stays blue.
        QTest::newRow("0110, inside at SE" + at)
            << 1000110 << s
            << QList<QList<int>>{{s - 2, s - 1, int(kBlue)}, {s - 1, s - 2, int(kBlue)}, {s - 2, s - 2, int(kBlue)},
                                 {1, s - 1, int(kYellow)},   {s - 1, 1, int(kYellow)},   {1, 1, int(kYellow)}};
        // The middle row of a P's block: the mark at the top right is inside,
        // the one at the bottom right is the bend below the block.
        QTest::newRow("1110, inside at NE" + at)
            << 10001110 << s
            << QList<QList<int>>{{s - 2, 0, int(kBlue)},       {s - 1, 1, int(kBlue)},       {s - 2, 1, int(kBlue)},
                                 {s - 2, s - 1, int(kYellow)}, {s - 1, s - 2, int(kYellow)}, {s - 2, s - 2, int(kYellow)},
                                 {1, 0, int(kYellow)},         {1, s - 1, int(kYellow)}};
        QTest::newRow("blocked" + at) << 2 << s
                                      << QList<QList<int>>{{0, 0, int(kBlack)},          {s - 1, 0, int(kBlack)},
                                                           {0, s - 1, int(kBlack)},      {1, 1, int(kDark)},
                                                           {s - 2, 1, int(kDark)},       {1, s - 2, int(kDark)},
                                                           {s - 1, 1, int(kLight)},      {1, s - 1, int(kLight)},
                                                           {s - 1, s - 1, int(kLight)},  {2, 2, int(kFace)},
                                                           {s - 2, s - 2, int(kFace)}};
    }
}

void TilesTest::PixelsFollowTheRules() {
    QFETCH(int, code);
    QFETCH(int, size);
    QFETCH(QList<QList<int>>, pixels);
    const QImage tile = GenerateTile(code, size);
    QCOMPARE(tile.size(), QSize(size, size));
    for (const QList<int>& p : pixels) {
        const QRgb actual = tile.pixel(p[0], p[1]) | 0xff000000;
        const QRgb expected = static_cast<QRgb>(p[2]) | 0xff000000;
        QVERIFY2(actual == expected, qPrintable(QString("pixel %1,%2 is %3, not %4")
                                                    .arg(p[0])
                                                    .arg(p[1])
                                                    .arg(actual, 0, 16)
                                                    .arg(expected, 0, 16)));
    }
    // Every pixel has one of the tile's own colours.
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb c = tile.pixel(x, y) | 0xff000000;
            const bool known = c == kBlue || c == kRed || c == kYellow || c == kBlack || c == kDark || c == kLight ||
                               c == kFace;
            QVERIFY2(known, qPrintable(QString("pixel %1,%2").arg(x).arg(y)));
        }
    }
}

void TilesTest::StoreChoosesBySizeClass() {
    const TileStore store;
    const std::pair<int, int> classes[] = {{0, 18}, {18, 18}, {19, 24}, {24, 24}, {25, 32}, {32, 32}, {33, 24}, {200, 24}};
    for (const auto& [frameSize, tile] : classes) {
        QCOMPARE(store.TileByCode(101, frameSize).width(), tile);
        QCOMPARE(store.TileByCode(2, frameSize).toImage(), GenerateTile(2, tile).convertToFormat(QImage::Format_RGB32));
    }
    // Codes with no outline tile give the blocked tile: a side digit of 2,
    // a corner inside the piece whose sides do not both continue.
    for (const int code : {12, 10110, 10000, 21111, -1111}) {
        QCOMPARE(store.TileByCode(code, 24).toImage(), store.TileByCode(2, 24).toImage());
    }
    for (const int code : {1111, 11111111, 100011}) QCOMPARE(store.TileByCode(code, 24).toImage(), GenerateTile(code, 24));
}

void TilesTest::GeometryOfEveryFrameAndSize_data() {
    QTest::addColumn<int>("frameY");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("outerWidth");
    QTest::addColumn<int>("outerHeight");
    QTest::addColumn<int>("shift");
    // The outer sizes the window would have with an 8-pixel frame and 65 pixels of bars and caption.
    const int table[4][3][2] = {{{250, 191}, {272, 233}, {360, 289}},
                                {{250, 173}, {320, 209}, {424, 257}},
                                {{296, 155}, {392, 185}, {520, 225}},
                                {{386, 137}, {512, 161}, {680, 193}}};
    const int frames[] = {6, 5, 4, 3};
    for (int f = 0; f < 4; ++f) {
        for (int i = 0; i < 3; ++i) {
            const int size = kTileSizes[i];
            const int shift = size == 18 ? (frames[f] == 6 ? 22 : (frames[f] == 5 ? 4 : 0)) : 0;
            QTest::newRow(QByteArray::number(frames[f]) + "@" + QByteArray::number(size))
                << frames[f] << size << table[f][i][0] << table[f][i][1] << shift;
        }
    }
}

void TilesTest::GeometryOfEveryFrameAndSize() {
    QFETCH(int, frameY);
    QFETCH(int, size);
    QFETCH(int, outerWidth);
    QFETCH(int, outerHeight);
    QFETCH(int, shift);
    const BoardGeometry g = BoardGeometryFor(60 / frameY, frameY, size);
    QCOMPARE(g.areaWidth + 8, outerWidth);
    QCOMPARE(g.areaHeight + 65, outerHeight);
    QCOMPARE(g.centringShift, shift);
    QCOMPARE(CellOffset(0, size), size / 2);
    QCOMPARE(CellOffset(2, size), size / 2 + 2 * size);
}

}  // namespace tilvaren

QTEST_MAIN(tilvaren::TilesTest)
#include "TilesTest.moc"
