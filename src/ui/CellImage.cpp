#include "ui/CellImage.hpp"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

namespace tilvaren {

namespace {

// To a screen reader an image is a button the focus can rest on, unavailable
// while it is not clickable (a blocked cell).
class CellImageAccessible : public QAccessibleWidget {
public:
    explicit CellImageAccessible(CellImage* image) : QAccessibleWidget(image, QAccessible::Button) {}
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.focusable = true;
        const auto* image = static_cast<const CellImage*>(widget());
        s.disabled = !image->IsClickable();
        s.selectable = s.selected = image->IsSelected();
        return s;
    }
};

QAccessibleInterface* CellImageInterface(const QString& className, QObject* object) {
    if (className != QLatin1String(CellImage::staticMetaObject.className())) return nullptr;
    return new CellImageAccessible(static_cast<CellImage*>(object));
}

}  // namespace

CellImage::CellImage(QWidget* parent) : QWidget(parent) {
    static const bool installed = (QAccessible::installFactory(CellImageInterface), true);
    (void)installed;
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CellImage::SetPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void CellImage::SetSelected(bool selected, bool tell) {
    if (selected == selected_) return;
    selected_ = selected;
    if (!selected || !tell) return;
    QAccessibleEvent event(this, QAccessible::SelectionAdd);
    QAccessible::updateAccessibility(&event);
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
    if (click) Activate();
}

}  // namespace tilvaren
