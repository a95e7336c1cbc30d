#pragma once

#include <QAction>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "app/Services.hpp"
#include "app/Tmain.hpp"
#include "support/TempDir.hpp"

namespace tilvaren::testing {

// Records every box instead of showing it, and answers questions as told.
class FakeDialogs : public Dialogs {
public:
    void Message(const QString& text) override {
        messages << text;
        if (whileShown) whileShown(text);
    }
    bool Ask(const QString& text) override {
        questions << text;
        return answer;
    }
    // Plays the part of the player in a modal dialog: given the dialog, it
    // works the controls and says whether the dialog ended with OK.
    bool RunModal(QDialog& dialog) override {
        modals << dialog.objectName();
        return player ? player(dialog) : false;
    }
    QStringList messages;
    QStringList questions;
    QStringList modals;
    bool answer = false;
    std::function<bool(QDialog&)> player;
    // What the player does while a message is open.
    std::function<void(const QString&)> whileShown;
};

class FakeOpener : public UrlOpener {
public:
    void Open(const QUrl& url) override { opened << url; }
    QList<QUrl> opened;
};

class FakeHelp : public Help {
public:
    void Contents() override { calls << "contents"; }
    void KeywordSearch() override { calls << "keywords"; }
    void Context(int context) override { calls << QString("context %1").arg(context); }
    QStringList calls;
};

class FakeSound : public ClickSound {
public:
    void Play(const std::string& path) override { played.push_back(path); }
    std::vector<std::string> played;
};

// The window's parts as the player and the window system reach them: by name.
inline QPushButton* ButtonOf(QWidget& w, int n) {
    return w.findChild<QPushButton*>(QString("Button%1").arg(n, 2, 10, QChar('0')));
}
inline CellImage* ImageOf(QWidget& w, int n) {
    return w.findChild<CellImage*>(QString("Image%1").arg(n, 2, 10, QChar('0')));
}
inline QAction* ItemOf(QWidget& w, const char* name) { return w.findChild<QAction*>(name); }
inline StatusPanels* StatusOf(QWidget& w) { return w.findChild<StatusPanels*>("StatusBar"); }
inline QFrame* BoardAreaOf(QWidget& w) { return w.findChild<QFrame*>("Bevel"); }

// A main window over a fresh program folder, with every service faked.
struct WindowFixture {
    TempDir dir;
    FakeDialogs dialogs;
    FixedClock clock{{2026, 12, 7, 10, 20, 30}};
    FakeSound sound;
    FakeOpener opener;
    FakeHelp help;
    Services Make() {
        Services s;
        s.programDir = dir.Path();
        s.dialogs = &dialogs;
        s.clock = &clock;
        s.sound = &sound;
        s.opener = &opener;
        s.help = &help;
        return s;
    }
};

}  // namespace tilvaren::testing
