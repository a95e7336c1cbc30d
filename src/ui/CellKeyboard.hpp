#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <vector>

class QWidget;

namespace tilvaren {

// Play from the keyboard: the arrow keys move the focus over all the cells,
// whatever they show, and stop at the frame's edges; Home and End go to the
// ends of the row; Space and Enter do what a click on the focused cell does.
// While the keyboard is in use a focus frame marks the focused cell; a mouse
// press on the board takes it away, so the mouse player's board is drawn as
// if this class did not exist. Tab and Shift+Tab walk the empty cells in the
// window's tab order, from a cell that is not empty starting at its first.
class CellKeyboard : public QObject {
    Q_OBJECT
public:
    struct Cells {
        std::function<QWidget*(int)> control;  // the control cell n shows now
        std::function<void(int)> act;          // what a click on cell n does
        std::function<int()> rowLength;        // cells in a row of the frame
        std::function<int()> startCell;        // where the keys begin when no cell has the focus
        std::function<std::vector<int>()> tabOrder;  // the empty cells, in tab order
    };
    // The frame is drawn in `area`, above the cells.
    CellKeyboard(QWidget* area, Cells cells);

    // The two controls of cell n, and the window whose other widgets hand
    // the arrow keys to the board.
    void Watch(int n, QWidget* button, QWidget* image);
    void WatchWindow(QWidget* window);

    // True when cell n has the focus while the keyboard is in use: the
    // caller changing the cell's controls then calls FocusCell(n) after.
    bool HoldsCell(int n) const;
    void FocusCell(int n);

    QWidget* Frame() const { return frame_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FocusChanged(QWidget* now);
    void PlaceFrame();

    Cells cells_;
    QWidget* frame_;
    std::map<const QObject*, int> cellOf_;
    QPointer<QWidget> window_;
    int focused_ = -1;
    bool keyboard_ = false;
};

}  // namespace tilvaren
