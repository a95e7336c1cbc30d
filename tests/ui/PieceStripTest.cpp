#include <QtTest>

#include "session/Geometry.hpp"
#include "ui/CollectionWindow.hpp"
#include "ui/PieceStrip.hpp"
#include "ui/WindowFont.hpp"

namespace tilvaren {

class PieceStripTest : public QObject {
    Q_OBJECT
private slots:
    void EveryWordIsShown_data();
    void EveryWordIsShown();
    void CollectionBoardsUseTheScreensPixels_data();
    void CollectionBoardsUseTheScreensPixels();
};

void PieceStripTest::EveryWordIsShown_data() {
    QTest::addColumn<int>("frameY");
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("words");
    const QString deadEnd = QString::fromUtf8("完成できません。V を取り除くと、完成まで あと 2339 通りに戻ります");
    const QString place = QString::fromUtf8("V を印の 5 マスに置くと、完成まで あと 1092 通り");
    const QString shortLine = QString::fromUtf8("完成まで あと 2339 通り");
    for (const int frameY : {6, 3}) {
        for (const int cell : kCellSizes) {
            const QByteArray at = QByteArray::number(frameY) + " rows at " + QByteArray::number(cell);
            QTest::newRow("a dead end, " + at) << frameY << cell << deadEnd;
            QTest::newRow("the third level, " + at) << frameY << cell << place;
            QTest::newRow("the count, " + at) << frameY << cell << shortLine;
        }
    }
}

// At every size the line holds the whole sentence, wrapped where the width
// ends, and the strip is tall enough for every line of it.
void PieceStripTest::EveryWordIsShown() {
    QFETCH(int, frameY);
    QFETCH(int, cell);
    QFETCH(QString, words);
    QWidget window;
    window.setFont(WindowFont());
    PieceStrip strip(&window);
    const int width = BoardGeometryFor(FrameWidthOf(frameY), frameY, cell).areaWidth;
    strip.Arrange(width, cell);
    const int plainHeight = strip.height();
    strip.SetHint(words, 3);
    const auto* line = strip.findChild<QLabel*>("PieceSupportLine");
    QCOMPARE(line->text(), words);
    QCOMPARE(line->accessibleName(), words);
    QVERIFY(line->wordWrap());
    QCOMPARE(strip.width(), width);
    const QFontMetrics metrics(line->font());
    const QRect needed = metrics.boundingRect(QRect(0, 0, width, 10000), Qt::AlignHCenter | Qt::TextWordWrap, words);
    QVERIFY2(needed.width() <= line->width(), qPrintable(QString("%1 > %2").arg(needed.width()).arg(line->width())));
    QVERIFY(line->height() >= needed.height());
    QVERIFY(line->geometry().bottom() < strip.height());
    const bool oneLine = metrics.horizontalAdvance(words) <= width;
    QCOMPARE(strip.height() > plainHeight, !oneLine);  // the strip grows only for a line that wraps
    // The hint cleared, the strip is as it was.
    strip.SetHint({}, -1);
    QCOMPARE(strip.height(), plainHeight);
}

void PieceStripTest::CollectionBoardsUseTheScreensPixels_data() {
    QTest::addColumn<int>("cell");
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("small at 1") << 7 << 1.0;
    QTest::newRow("small at 2") << 7 << 2.0;
    QTest::newRow("large at 2") << 24 << 2.0;
    QTest::newRow("small at 3") << 7 << 3.0;
    QTest::newRow("small at 1.5") << 8 << 1.5;
}

// At a scale above 1 a board is drawn in the screen's own pixels: its
// logical size is the cell's, and the outline one screen pixel wide, never
// a one-pixel picture blown up.
void PieceStripTest::CollectionBoardsUseTheScreensPixels() {
    QFETCH(int, cell);
    QFETCH(qreal, ratio);
    std::array<int, 60> tiles{};
    tiles.fill(1010);  // every cell a piece running north and south, closed east and west
    const QImage board = CollectionBoardImage(tiles, 6, cell, ratio);
    const int pixels = qRound(cell * ratio);
    QCOMPARE(board.size(), QSize(10 * pixels, 6 * pixels));
    QCOMPARE(board.deviceIndependentSize().toSize(), QSize(10 * cell, 6 * cell));
    const QRgb yellow = qRgb(255, 255, 0);
    const QRgb blue = qRgb(0, 0, 255);
    // Across the middle of the second cell: its outline at 1 and at the far
    // edge less 1, one pixel each, the face between.
    const int y = pixels + pixels / 2;
    QCOMPARE(board.pixel(pixels + 1, y), yellow);
    QCOMPARE(board.pixel(pixels + 2, y), blue);
    QCOMPARE(board.pixel(2 * pixels - 2, y), yellow);
    QCOMPARE(board.pixel(2 * pixels - 3, y), blue);
}

}  // namespace tilvaren

QTEST_MAIN(tilvaren::PieceStripTest)
#include "PieceStripTest.moc"
