#include "ui/PieceStrip.hpp"

#include <QEvent>
#include <QPainter>
#include <algorithm>

#include "ui/Accessibility.hpp"
#include "ui/Wording.hpp"

namespace tilvaren {

namespace {

// Every piece fits three small cells high; a row of pieces takes one more
// for the space below, and each piece one column of space to its left.
constexpr int kBoxRows = 3;

int ColumnsOf(int piece) {
    int columns = 0;
    for (const ShapeCell& c : StripShapeOf(piece)) columns = std::max(columns, c.column + 1);
    return columns;
}

// Width of the pieces first..last-1 side by side, with the space around them.
int RowWidth(int first, int last, int m) {
    int width = m;
    for (int i = first; i < last; ++i) width += (ColumnsOf(i) + 1) * m;
    return width;
}

const QColor kPieceFill(0, 0, 255);
const QColor kPieceEdge(255, 255, 0);
const QColor kPlacedFill(184, 184, 240);
const QColor kPlacedEdge(240, 240, 200);
const QColor kRuledOutFill(168, 152, 144);
const QColor kRuledOutEdge(120, 96, 88);
const QColor kWarning(208, 0, 0);
const QColor kHintRing(255, 128, 0);

bool Holds(const std::array<ShapeCell, 5>& cells, int row, int column) {
    return std::any_of(cells.begin(), cells.end(), [&](const ShapeCell& c) { return c.row == row && c.column == column; });
}

// One piece in its box: filled cells and a line along its outline only, as a
// placed piece is drawn on the board.
void DrawPiece(QPainter& painter, int piece, PieceLook look, QPoint origin, int m) {
    const std::array<ShapeCell, 5> cells = StripShapeOf(piece);
    int rows = 0;
    int columns = 0;
    for (const ShapeCell& c : cells) {
        rows = std::max(rows, c.row + 1);
        columns = std::max(columns, c.column + 1);
    }
    const QPoint at = origin + QPoint(0, (kBoxRows - rows) * m / 2);
    const QColor fill = look == PieceLook::Plain ? kPieceFill : (look == PieceLook::Placed ? kPlacedFill : kRuledOutFill);
    const QColor edge = look == PieceLook::Plain ? kPieceEdge : (look == PieceLook::Placed ? kPlacedEdge : kRuledOutEdge);
    for (const ShapeCell& c : cells) {
        const QRect cell(at.x() + c.column * m, at.y() + c.row * m, m, m);
        painter.fillRect(cell, fill);
        painter.setPen(edge);
        if (!Holds(cells, c.row - 1, c.column)) painter.drawLine(cell.topLeft(), cell.topRight());
        if (!Holds(cells, c.row + 1, c.column)) painter.drawLine(cell.bottomLeft(), cell.bottomRight());
        if (!Holds(cells, c.row, c.column - 1)) painter.drawLine(cell.topLeft(), cell.bottomLeft());
        if (!Holds(cells, c.row, c.column + 1)) painter.drawLine(cell.topRight(), cell.bottomRight());
    }
    if (look == PieceLook::RuledOut) {
        // A cross over the piece's box: this piece cannot take the selection.
        painter.setPen(QPen(kWarning, 2));
        const QRect box(at, QSize(columns * m, rows * m));
        painter.drawLine(box.topLeft(), box.bottomRight());
        painter.drawLine(box.bottomLeft(), box.topRight());
    }
}

}  // namespace

WordsLine::WordsLine(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    ShowAsAnnouncement(this);
}

int WordsLine::HeightFor(const QString& text, int width) const {
    // As the label draws a plain text that wraps: the font's own line breaks.
    const QRect box = fontMetrics().boundingRect(QRect(0, 0, std::max(1, width), 1 << 20),
                                                 Qt::AlignHCenter | Qt::TextWordWrap, text);
    return std::max(fontMetrics().height(), box.height());
}

void WordsLine::SetWidth(int width) { setFixedSize(width, HeightFor(text(), width)); }

void WordsLine::SetWords(const QString& text, bool announce) {
    setText(text);
    setAccessibleName(text);
    setFixedSize(width(), HeightFor(text, width()));
    if (announce && !text.isEmpty()) Announce(this);
}

PieceStrip::PieceStrip(QWidget* parent) : QWidget(parent), lineLabel_(new WordsLine(this)) {
    setObjectName("PieceStrip");
    lineLabel_->setObjectName("PieceSupportLine");
    Retranslate();
}

void PieceStrip::Retranslate() {
    setAccessibleName(tr("ピース・サポート"));
    ShowLine();
    Describe();
}

void PieceStrip::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) Retranslate();
    QWidget::changeEvent(event);
}

int PieceStrip::Mini() const { return std::max(4, cellSize_ / 3); }

int PieceStrip::PerRow(int width) const {
    // As few rows as fit the width, each as full as the others.
    for (int rows = 1; rows < kPieceCount; ++rows) {
        const int perRow = (kPieceCount + rows - 1) / rows;
        bool fits = true;
        for (int first = 0; first < kPieceCount; first += perRow) {
            fits = fits && RowWidth(first, std::min(first + perRow, kPieceCount), Mini()) <= width;
        }
        if (fits) return perRow;
    }
    return 1;
}

void PieceStrip::Arrange(int width, int cellSize) {
    cellSize_ = cellSize;
    width_ = width;
    ShowLine();
    update();
}

QRect PieceStrip::LineBox() const {
    const int m = Mini();
    const int perRow = PerRow(width_);
    const int rows = (kPieceCount + perRow - 1) / perRow;
    return {0, m + rows * (kBoxRows + 1) * m, width_, lineLabel_->height()};
}

void PieceStrip::ShowLine(bool announce) {
    const QString text = hint_.isEmpty() ? Words(line_) : hint_;
    // The strip takes the lines its words need, and the window with it.
    lineLabel_->setFixedWidth(width_);
    lineLabel_->SetWords(text, announce);
    const QRect box = LineBox();
    lineLabel_->move(box.topLeft());
    setFixedSize(width_, box.bottom() + 1 + Mini() / 2);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText,
                     hint_.isEmpty() && line_.Warning() ? kWarning : palette().color(QPalette::WindowText));
    lineLabel_->setPalette(colours);
}

void PieceStrip::SetPicture(const SupportPicture& picture) {
    looks_ = picture.looks;
    if (picture.line) line_ = *picture.line;
    ShowLine();
    Describe();
    update();
}

void PieceStrip::SetLine(const SupportLine& line) {
    line_ = line;
    ShowLine();
    Describe();
    update();
}

void PieceStrip::SetHint(const QString& text, int piece, bool announce) {
    hint_ = text;
    hintPiece_ = piece;
    ShowLine(announce);
    Describe();
    update();
}

void PieceStrip::Describe() {
    // What the drawing shows, for screen readers: the line, then each piece.
    QString text = hint_.isEmpty() ? Words(line_) : hint_;
    for (int i = 0; i < kPieceCount; ++i) {
        const PieceLook look = looks_[static_cast<std::size_t>(i)];
        text += tr("、%1 %2").arg(QChar(kPieceLetters[static_cast<std::size_t>(i)])).arg(Words(look));
        if (i == hintPiece_) text += tr("（ヒント）");
    }
    setAccessibleDescription(text);
}

void PieceStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int m = Mini();
    const int perRow = PerRow(width());
    for (int first = 0; first < kPieceCount; first += perRow) {
        const int last = std::min(first + perRow, kPieceCount);
        int x = (width() - RowWidth(first, last, m)) / 2 + m;
        for (int i = first; i < last; ++i) {
            const QPoint origin(x, m + first / perRow * (kBoxRows + 1) * m);
            DrawPiece(painter, i, looks_[static_cast<std::size_t>(i)], origin, m);
            if (i == hintPiece_) {
                // The named piece's box, with half a small cell around it.
                painter.setPen(QPen(kHintRing, 2));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(
                    QRect(origin, QSize(ColumnsOf(i) * m, kBoxRows * m)).adjusted(-m / 2, -m / 2, m / 2, m / 2));
            }
            x += (ColumnsOf(i) + 1) * m;
        }
    }
}

}  // namespace tilvaren
