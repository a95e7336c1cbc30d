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
};

}  // namespace tilvaren
