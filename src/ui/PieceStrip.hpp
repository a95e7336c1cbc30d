#pragma once

#include <QLabel>
#include <QWidget>

#include "core/Frame.hpp"
#include "session/PieceSupport.hpp"

namespace tilvaren {

// A line of words that takes the width it is given and as many lines as its
// words need, so nothing it says is ever cut off: its height follows its text.
// A screen reader finds the whole text as its name, and hears a text shown
// with `announce` as a notification as it comes.
class WordsLine : public QLabel {
    Q_OBJECT
public:
    explicit WordsLine(QWidget* parent);

    void SetWidth(int width);
    void SetWords(const QString& text, bool announce = false);
    // The height these words take at this width, in this line's font.
    int HeightFor(const QString& text, int width) const;
};

// The piece support strip under the board area: the twelve pieces drawn
// small in the board's colours, in one or two balanced rows, and a line on
// the completions left. It never widens the window: it takes the width it is
// given and its height follows from that, the cell size and the lines its
// words need.
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
    // and the piece it names ringed (-1 none); `announce`: a screen reader
    // hears them now.
    void SetHint(const QString& text, int piece, bool announce = false);

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
    void ShowLine(bool announce = false);

    std::array<PieceLook, kPieceCount> looks_{};
    SupportLine line_;
    QString hint_;
    int hintPiece_ = -1;
    int cellSize_ = kDefaultCellSize;
    int width_ = 0;
    // The line is a label of its own, so screen readers reach it as text.
    WordsLine* lineLabel_;
};

}  // namespace tilvaren
