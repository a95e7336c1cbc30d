#pragma once

#include <QPixmap>
#include <QWidget>

namespace tilvaren {

// The image of a cell: draws its picture unscaled from the top left corner,
// looks the same whether enabled or not, and reports clicks only while
// enabled.
class CellImage : public QWidget {
    Q_OBJECT
public:
    explicit CellImage(QWidget* parent = nullptr);
    void SetPicture(const QPixmap& picture);
    const QPixmap& Picture() const { return picture_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap picture_;
    bool pressed_ = false;
};

}  // namespace tilvaren
