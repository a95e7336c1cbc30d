#include "app/QtServices.hpp"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace tilvaren {

void MessageBoxDialogs::Message(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, kAppTitle, text, QMessageBox::Ok, parent_);
    box.exec();
}

bool MessageBoxDialogs::Ask(const QString& text) {
    QMessageBox box(QMessageBox::Question, kAppTitle, text, QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool MessageBoxDialogs::RunModal(QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

void DesktopOpener::Open(const QUrl& url) { QDesktopServices::openUrl(url); }

void EffectClickSound::Play(const std::string& path) {
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile()) return;
    if (!effect_ || loaded_ != path) {
        effect_ = std::make_unique<QSoundEffect>();
        effect_->setSource(QUrl::fromLocalFile(file));
        loaded_ = path;
    }
    // A sound still playing is cut off and started again.
    effect_->stop();
    effect_->play();
    ++started_;
}

}  // namespace tilvaren
