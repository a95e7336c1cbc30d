#include "app/ChallengeButton.hpp"

#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>

#include "app/AwayThenBack.hpp"
#include "ui/ChallengeDialog.hpp"

namespace tilvaren {

void AddChallengeButton(CollectionPageView& page, Dialogs& dialogs, std::string programDir,
                        std::function<bool(const Challenge&)> take) {
    auto* button = new QPushButton(QStringLiteral("挑戦(&T)"), &page);
    button->setObjectName("ChallengeButton");
    auto* line = new QLabel(&page);
    line->setObjectName("ChallengeLine");
    line->setWordWrap(true);
    // Before the row's closing stretch, if it has one, which then gives the
    // line all the room left.
    QHBoxLayout* row = page.ControlRow();
    const bool stretchLast = row->count() > 0 && row->itemAt(row->count() - 1)->spacerItem() != nullptr;
    const int end = stretchLast ? row->count() - 1 : row->count();
    row->insertWidget(end, button);
    row->insertWidget(end + 1, line, 1);
    if (stretchLast) row->setStretch(end + 2, 0);
    const int frameY = page.FrameY();
    QObject::connect(button, &QPushButton::clicked, &page, [&page, &dialogs, button, line, frameY,
                                                            programDir = std::move(programDir), take = std::move(take)] {
        ChallengeDialog dialog(page.window());
        if (!dialogs.RunModal(dialog)) return;
        const ChallengeLevel level = dialog.Level();
        const std::uint64_t seed = QRandomGenerator::global()->generate64();
        button->setEnabled(false);
        line->setText(QStringLiteral("挑戦を用意しています…"));
        AwayThenBack<ChallengeSearch>(
            &page, [frameY, level, programDir, seed] { return FindChallenge(frameY, level, programDir, seed); },
            [&dialogs, button, line, take](const ChallengeSearch& search) {
                button->setEnabled(true);
                line->clear();
                if (!search.challenge) {
                    dialogs.Message(QString::fromStdString(search.message));
                    return;
                }
                if (take(*search.challenge)) line->setText(QString::fromStdString(ChallengeText(*search.challenge)));
            });
    });
}

}  // namespace tilvaren
