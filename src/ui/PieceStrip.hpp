#pragma once

#include <QLabel>
#include <QWidget>

#include "core/Frame.hpp"
#include "session/PieceSupport.hpp"

namespace tilvaren {

// The piece support strip under the board area: the twelve pieces drawn
// small in the board's colours, in one or two balanced rows, and a line on
// the completions left. It never widens the window: it takes the width it is
// given and its height follows from that and the cell size.
class PieceStrip : public QWidget {
    Q_OBJECT
public:
    explicit PieceStrip(QWidget* parent = nullptr);

    // Fixes the strip's size for a board area this wide and this cell size.
    void Arrange(int width, int cellSize);
    // The pieces' looks, and the line when the picture carries one.
    void SetPicture(const SupportPicture& picture);
    void SetLine(const SupportLine& line);

    // A hint's words, shown in the line's place until they are cleared (""),
    // and the piece it names ringed (-1 none).
    void SetHint(const QString& text, int piece);

    const SupportLine& Line() const { return line_; }
    int HintPiece() const { return hintPiece_; }

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Retranslate();
    // Edge of one small cell, and the pieces in each row.
    int Mini() const;
    int PerRow(int width) const;
    void Describe();
    // Where the line stands, under the rows of pieces.
    QRect LineBox() const;
    void ShowLine();

    std::array<PieceLook, kPieceCount> looks_{};
    SupportLine line_;
    QString hint_;
    int hintPiece_ = -1;
    int cellSize_ = kDefaultCellSize;
    // The line is a label of its own, so screen readers reach it as text.
    QLabel* lineLabel_;
};

}  // namespace tilvaren
