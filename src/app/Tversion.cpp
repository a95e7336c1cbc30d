#include "app/Tversion.hpp"

#include <QCloseEvent>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>

#include "Version.hpp"
#include "app/HelpWindow.hpp"
#include "app/Icon.hpp"
#include "app/WindowFrame.hpp"
#include "ui/Accessibility.hpp"

#ifndef TILVAREN_MAIL_ADDRESS
#define TILVAREN_MAIL_ADDRESS ""
#endif
#ifndef TILVAREN_WEB_PAGE
#define TILVAREN_WEB_PAGE ""
#endif

namespace tilvaren {

AboutInfo AboutInfoForBuild() {
    return {QStringLiteral(TILVAREN_MAIL_ADDRESS), QStringLiteral(TILVAREN_WEB_PAGE),
            QStringLiteral("Copyright (C) 2026 the Tilvaren developers"),
            QStringLiteral("GPL-3.0-or-later; ABSOLUTELY NO WARRANTY")};
}

Tversion::Tversion(const AboutInfo& info, UrlOpener& opener, Help& help, QWidget* parent,
                   const WindowSystem* system)
    : QDialog(parent), info_(info), opener_(&opener), help_(&help),
      system_(system != nullptr ? system : &RunningWindowSystem()) {
    setObjectName("Tversion");
    setWindowTitle(QStringLiteral(" V e r s i o n"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowModality(Qt::WindowModal);
    setFixedSize(300, 185);

    auto* group = new QGroupBox(this);
    group->setObjectName("GroupBox1");
    group->setGeometry(0, 0, 300, 185);
    const auto label = [group](const char* name, const QString& text, int x, int y) {
        auto* l = new QLabel(text, group);
        l->setObjectName(name);
        l->move(x, y);
        l->adjustSize();
        return l;
    };
    auto* image = new QLabel(group);
    image->setObjectName("Image1");
    image->setGeometry(33, 20, 32, 32);
    image->setPixmap(AppIcon().pixmap(32, 32));
    // A rule above the name, drawn in characters but not read out.
    ShowAsRule(label("Label1", QStringLiteral("_______________________"), 100, 8));
    label("Label2", QStringLiteral("T i l v a r e n"), 108, 24);
    label("Label3", QStringLiteral("Version ") + QLatin1StringView(kVersion), 118, 40);
    label("Label8", info.notice1, 8, 120);
    label("Label9", info.notice2, 8, 136);

    Button1 = new QPushButton(group);
    Button1->setObjectName("Button1");
    Button1->setGeometry(16, 64, 265, 20);
    Button2 = new QPushButton(group);
    Button2->setObjectName("Button2");
    Button2->setGeometry(16, 88, 265, 20);
    btnCLOSE = new QPushButton(QStringLiteral("OK"), group);
    btnCLOSE->setObjectName("btnCLOSE");
    btnCLOSE->setGeometry(225, 20, 33, 32);
    btnCLOSE->setDefault(true);

    // OK takes the keyboard focus first.
    setTabOrder(btnCLOSE, Button1);
    setTabOrder(Button1, Button2);
    connect(btnCLOSE, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button1, &QPushButton::clicked, this, &Tversion::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tversion::Button2Click);
    Retranslate();
}

void Tversion::Retranslate() {
    Button1->setText(info_.mailAddress.isEmpty() ? tr("使用許諾（GPL-3.0-or-later）") : info_.mailAddress);
    Button2->setText(info_.webPage.isEmpty() ? tr("ヘルプの目次") : info_.webPage);
}

void Tversion::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) Retranslate();
    QDialog::changeEvent(event);
}

void Tversion::Button1Click() {
    if (info_.mailAddress.isEmpty()) return help_->Context(kLicenceHelpContext);
    opener_->Open(QUrl(QStringLiteral("mailto:") + info_.mailAddress +
                       QStringLiteral("?subject=About the Tilvaren Version ") + QLatin1StringView(kVersion)));
}

void Tversion::Button2Click() {
    if (info_.webPage.isEmpty()) return help_->Contents();
    opener_->Open(QUrl(info_.webPage));
}

void Tversion::reject() {}

void Tversion::closeEvent(QCloseEvent* event) { event->ignore(); }

void Tversion::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Only OK closes the box: its title bar has no buttons.
    AskForTitleOnlyFrame(*this, *system_);
    KeepExactSize(*this);
    btnCLOSE->setFocus();
}

}  // namespace tilvaren
