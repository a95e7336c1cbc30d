#include "ui/CellImage.hpp"

#include <QMouseEvent>
#include <QPainter>

namespace tilvaren {

CellImage::CellImage(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void CellImage::SetPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void CellImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

void CellImage::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void CellImage::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click && isEnabled()) emit clicked();
}

}  // namespace tilvaren
