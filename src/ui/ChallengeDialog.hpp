#pragma once

#include <QButtonGroup>
#include <QDialog>

#include "session/Challenge.hpp"

namespace tilvaren {

// Asks how hard a challenge should be: やさしい, ふつう or むずかしい, ふつう
// chosen when it opens, so Return alone takes a ふつう challenge.
class ChallengeDialog : public QDialog {
    Q_OBJECT
public:
    explicit ChallengeDialog(QWidget* parent = nullptr);

    // The level chosen in the dialog.
    ChallengeLevel Level() const;

private:
    QButtonGroup* levels_ = nullptr;
};

}  // namespace tilvaren
