#include "ui/HintMarks.hpp"

#include <QPainter>
#include <algorithm>

namespace tilvaren {

namespace {

// Orange on a white edge: seen on the grey of an empty cell and on every
// piece colour.
const QColor kRing(255, 128, 0);
const QColor kRingEdge(255, 255, 255);

}  // namespace

HintMarks::HintMarks(QWidget* parent) : QWidget(parent) {
    setObjectName("HintMarks");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void HintMarks::Mark(std::vector<QRect> cells) {
    cells_ = std::move(cells);
    setVisible(!cells_.empty());
    if (!cells_.empty()) raise();
    update();
}

void HintMarks::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (const QRect& cell : cells_) {
        // A ring a sixth of the cell wide, at least two pixels, at every size.
        const int width = std::max(2, cell.width() / 6);
        const QRect ring = cell.adjusted(width / 2 + 1, width / 2 + 1, -(width + 1) / 2 - 1, -(width + 1) / 2 - 1);
        painter.setPen(QPen(kRingEdge, width + 2));
        painter.drawRect(ring);
        painter.setPen(QPen(kRing, width));
        painter.drawRect(ring);
    }
}

}  // namespace tilvaren
