#pragma once

#include <QRect>
#include <QWidget>
#include <vector>

namespace tilvaren {

// The hint's marks: a ring inside each marked cell, drawn over the cells'
// controls without touching them. Clicks, the focus and screen readers pass
// through it (it has no name; the cells themselves tell of their marks).
class HintMarks : public QWidget {
    Q_OBJECT
public:
    explicit HintMarks(QWidget* parent = nullptr);

    // The cells to ring, each where its control stands in the parent; none
    // hides the marks.
    void Mark(std::vector<QRect> cells);
    const std::vector<QRect>& Marked() const { return cells_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<QRect> cells_;
};

}  // namespace tilvaren
