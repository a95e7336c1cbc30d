#pragma once

#include <QPixmap>
#include <QWidget>

namespace tilvaren {

// The image of a cell: draws its picture unscaled from the top left corner
// and reports clicks only while clickable. It stays enabled when it is not
// clickable (a blocked cell), so the keyboard can still rest on it.
class CellImage : public QWidget {
    Q_OBJECT
public:
    explicit CellImage(QWidget* parent = nullptr);
    void SetPicture(const QPixmap& picture);
    const QPixmap& Picture() const { return picture_; }
    void SetClickable(bool clickable) { clickable_ = clickable; }
    bool IsClickable() const { return clickable_; }
    // Whether it shows the selection tile, which a screen reader hears as
    // selected. With `tell`, a screen reader is also told when it becomes so:
    // for a cell the game selects by itself, which has not the focus.
    void SetSelected(bool selected, bool tell);
    bool IsSelected() const { return selected_; }
    // What a click does, for the keyboard: reports it when clickable.
    void Activate() {
        if (clickable_) emit clicked();
    }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap picture_;
    bool pressed_ = false;
    bool clickable_ = false;
    bool selected_ = false;
};

}  // namespace tilvaren
