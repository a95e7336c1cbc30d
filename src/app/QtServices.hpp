#pragma once

#include <QPointer>
#include <QSoundEffect>
#include <QWidget>
#include <memory>

#include "app/Services.hpp"

namespace tilvaren {

// Real message boxes, titled with the application's title.
class MessageBoxDialogs : public Dialogs {
public:
    void SetParent(QWidget* parent) { parent_ = parent; }
    void Message(const QString& text) override;
    bool Ask(const QString& text) override;

private:
    QPointer<QWidget> parent_;
};

// The click sound through Qt Multimedia. The file is looked for on every
// click; playing goes on in the background.
class EffectClickSound : public ClickSound {
public:
    void Play(const std::string& path) override;

private:
    std::unique_ptr<QSoundEffect> effect_;
    std::string loaded_;
};

}  // namespace tilvaren
