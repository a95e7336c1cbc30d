#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "records/Settings.hpp"
#include "session/View.hpp"

namespace tilvaren {

// Radio item of a cell size's class (SizeClassOf): small, medium, large.
int SizeItemOf(int frameSize);
// Cell size of a radio item (kCellSizes); the default size for anything else.
int SizeOfItem(int item);

// The options dialog: cell size, bars and language on one page, the frame on the other.
// It works on pending copies; the main window applies them after OK.
class Toptions : public QDialog {
    Q_OBJECT
public:
    explicit Toptions(QWidget* parent = nullptr);

    // Fills the pending copies and the controls from the current settings;
    // the frame choice is locked while a game is started.
    void FormShow(const Settings& current, bool gameStarted);
    // Fills the pending copies from the controls and closes with OK.
    void btnOKClick();

    const PendingSettings& Pending() const { return pending_; }

    QButtonGroup* rgFrame = nullptr;
    QButtonGroup* rgFrameSize = nullptr;
    QGroupBox* rgFrameBox = nullptr;
    QGroupBox* rgFrameSizeBox = nullptr;
    QCheckBox* cbMenuBar = nullptr;
    QCheckBox* cbStatusBar = nullptr;
    QComboBox* cbLanguage = nullptr;  // 日本語, English
    QPushButton* btnOK = nullptr;
    QPushButton* btnCANCEL = nullptr;
    QTabWidget* PageControl = nullptr;

signals:
    // F1 on the frame choice: the help topic of that context.
    void contextHelpRequested(int context);

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Retranslate();

    PendingSettings pending_;
    QLabel* languageLabel_ = nullptr;
};

}  // namespace tilvaren
