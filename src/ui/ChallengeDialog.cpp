#include "ui/ChallengeDialog.hpp"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/Wording.hpp"

namespace tilvaren {

namespace {

constexpr ChallengeLevel kLevels[] = {ChallengeLevel::Easy, ChallengeLevel::Normal, ChallengeLevel::Hard};

}  // namespace

ChallengeDialog::ChallengeDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("ChallengeDialog");
    setWindowTitle(tr("挑戦"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("難しさを選んでください。"), this));
    levels_ = new QButtonGroup(this);
    for (const ChallengeLevel level : kLevels) {
        const int left = static_cast<int>(level);
        auto* radio = new QRadioButton(
            Words(level) + tr("（残り %n 個）", nullptr, left), this);
        radio->setObjectName(QStringLiteral("Level%1").arg(left));
        radio->setChecked(level == ChallengeLevel::Normal);
        levels_->addButton(radio, left);
        layout->addWidget(radio);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    levels_->checkedButton()->setFocus();
}

ChallengeLevel ChallengeDialog::Level() const {
    const int id = levels_->checkedId();
    for (const ChallengeLevel level : kLevels) {
        if (static_cast<int>(level) == id) return level;
    }
    return ChallengeLevel::Normal;
}

}  // namespace tilvaren
