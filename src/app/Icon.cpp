#include "app/Icon.hpp"

#include <QPainter>

#include "ui/Tiles.hpp"

namespace tilvaren {

QIcon AppIcon() {
    QIcon icon;
    // The X's five cells with the tile codes they have on the board.
    const struct {
        int column, row, code;
    } cells[] = {{1, 0, 10}, {0, 1, 100}, {1, 1, 1111}, {2, 1, 1}, {1, 2, 1000}};
    for (const int tile : kTileSizes) {
        const int side = 3 * tile + tile / 2;
        QPixmap picture(side, side);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        for (const auto& cell : cells) {
            painter.drawImage(tile / 4 + cell.column * tile, tile / 4 + cell.row * tile, GenerateTile(cell.code, tile));
        }
        painter.end();
        icon.addPixmap(picture);
    }
    return icon;
}

}  // namespace tilvaren
