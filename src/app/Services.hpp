#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <string>

#include "records/Clock.hpp"

namespace tilvaren {

// The window's title, also the title of every message box it shows.
inline const QString kAppTitle = QStringLiteral(" T i l v a r e n");

// The modal boxes the main window shows. The program shows real message
// boxes; tests record what would have been shown and answer for the player.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A plain message with one OK button; returns when it is closed.
    virtual void Message(const QString& text) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool Ask(const QString& text) = 0;
    // Shows a dialog modally; true when it was closed with OK.
    virtual bool RunModal(QDialog& dialog) = 0;
};

// Plays the click sound. Must return at once; a new sound cuts off one still
// playing; an absent or broken file, or no audio device, means silence.
class ClickSound {
public:
    virtual ~ClickSound() = default;
    virtual void Play(const std::string& path) = 0;
};

class Help;
class UrlOpener;
struct WindowSystem;

// What the main window needs from the world around it.
struct Services {
    std::string programDir;  // ends in '/'
    // Takes the game at close when the program folder cannot; "": none.
    std::string fallbackDir;
    Dialogs* dialogs = nullptr;
    const Clock* clock = nullptr;
    ClickSound* sound = nullptr;
    UrlOpener* opener = nullptr;
    Help* help = nullptr;  // none: the main window makes its own help window
    // None: the running application's (RunningWindowSystem).
    const WindowSystem* windowSystem = nullptr;
    QStringList notices;   // found before the window existed; told once it is up
};

}  // namespace tilvaren
