#pragma once

#include <QLabel>
#include <QStatusBar>
#include <array>

namespace tilvaren {

// The status bar's 14 panels: the frame, the twelve pieces, and one that
// stays empty.
class StatusPanels : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusPanels(QWidget* parent = nullptr);

    // Writes panel 0 (the frame). Changes nothing when the text is the same.
    void SetFramePanel(const QString& text);
    // Writes panel index + 1 for index 0..12; any other index does nothing.
    void StatusBarPanelSet(unsigned index, const QString& text);

    // What a screen reader says of panel 0..13.
    void SetPanelName(int panel, const QString& name);

    QString PanelText(int panel) const;

    // The panels never widen the window: what does not fit is cut off at the
    // right, as on a narrow frame.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    const QLabel* Panel(int panel) const { return panels_[static_cast<std::size_t>(panel)]; }

private:
    std::array<QLabel*, 14> panels_{};
};

}  // namespace tilvaren
