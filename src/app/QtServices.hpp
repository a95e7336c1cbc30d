#pragma once

#include <QPointer>
#include <QSoundEffect>
#include <QTemporaryFile>
#include <QWidget>
#include <memory>

#include "app/Services.hpp"
#include "app/Tversion.hpp"

namespace tilvaren {

// Real message boxes, titled with the application's title and wide enough
// to show all of it.
class MessageBoxDialogs : public Dialogs {
public:
    void SetParent(QWidget* parent) { parent_ = parent; }
    void Message(const QString& text) override;
    bool Ask(const QString& text) override;
    bool RunModal(QDialog& dialog) override;

private:
    QPointer<QWidget> parent_;
};

// Links go to the desktop's own programs (xdg-open), started in the background.
class DesktopOpener : public UrlOpener {
public:
    void Open(const QUrl& url) override;
};

// The click sound through Qt Multimedia. The file is looked for on every
// click and played only when it is a regular file of a click sound's size;
// anything else is silence, and nothing blocks. What plays is a private copy
// of the bytes checked. A built-in copy (FindDataFile) plays from the resource.
class EffectClickSound : public ClickSound {
public:
    void Play(const std::string& path) override;
    // How many times a sound was started (a file passed the checks).
    int Started() const { return started_; }

private:
    std::unique_ptr<QSoundEffect> effect_;
    std::unique_ptr<QTemporaryFile> copy_;
    std::string loaded_;
    int started_ = 0;
};

}  // namespace tilvaren
