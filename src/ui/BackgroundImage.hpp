#pragma once

#include <QWidget>

namespace tilvaren {

// The picture-less image behind the cells; its double-click toggles the bars.
class BackgroundImage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent*) override { emit doubleClicked(); }
};

}  // namespace tilvaren
