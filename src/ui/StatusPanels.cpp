#include "ui/StatusPanels.hpp"

#include "pieces/Catalogue.hpp"

namespace tilvaren {

StatusPanels::StatusPanels(QWidget* parent) : QStatusBar(parent) {
    setObjectName("StatusBar");
    setSizeGripEnabled(false);
    setMinimumWidth(1);
    // The panels stand at fixed places in a strip as wide as the status bar;
    // on a narrow window the last ones are cut off, never squeezed together.
    auto* strip = new QWidget(this);
    strip->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    strip->setMinimumWidth(1);
    int x = 0;
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        auto* panel = new QLabel(strip);
        panel->setObjectName(QString("StatusPanel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setContentsMargins(1, 0, 1, 0);
        int width = 14;
        Qt::Alignment alignment = Qt::AlignHCenter;
        if (i == 0) {
            width = 40;
            alignment = Qt::AlignRight;
        } else if (i == 12) {
            alignment = Qt::AlignLeft;
        } else if (i == 13) {
            width = 50;
            alignment = Qt::AlignLeft;
        }
        if (i >= 1 && i <= 12) panel->setText(QString(QChar(kPieceLetters[i - 1])));
        panel->setAlignment(alignment | Qt::AlignVCenter);
        panel->setGeometry(x, 1, width, fontMetrics().height() + 2);
        x += width + 2;
        panels_[i] = panel;
    }
    strip->setFixedHeight(fontMetrics().height() + 4);
    addWidget(strip, 1);
}

void StatusPanels::SetFramePanel(const QString& text) {
    if (panels_[0]->text() != text) panels_[0]->setText(text);
}

void StatusPanels::StatusBarPanelSet(unsigned index, const QString& text) {
    if (index <= 12) panels_[index + 1]->setText(text);
}

QSize StatusPanels::sizeHint() const { return {1, QStatusBar::sizeHint().height()}; }

QSize StatusPanels::minimumSizeHint() const { return {1, QStatusBar::minimumSizeHint().height()}; }

void StatusPanels::SetPanelName(int panel, const QString& name) {
    if (panel >= 0 && panel < static_cast<int>(panels_.size())) panels_[static_cast<std::size_t>(panel)]->setAccessibleName(name);
}

QString StatusPanels::PanelText(int panel) const { return panels_[static_cast<std::size_t>(panel)]->text(); }

}  // namespace tilvaren
