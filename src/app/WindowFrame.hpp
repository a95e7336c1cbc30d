#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

#include "records/Settings.hpp"

class QWidget;

namespace tilvaren {

// The Motif window manager hints of an X11 window: flags, functions,
// decorations, input mode, status.
using MotifHints = std::array<std::uint32_t, 5>;

// The calls into the desktop's window system whose use differs between X11
// and Wayland, gathered so that the program's choice of path can run, and be
// watched, under any platform.
struct WindowSystem {
    // QGuiApplication::platformName(): "xcb", "wayland", "offscreen", ...
    QString platform;
    // Sets the Motif hints of a shown window; used only where platform is "xcb".
    std::function<void(QWidget&, const MotifHints&)> setMotifHints;
    // Asks for the window to be made the active one (QWidget::activateWindow).
    std::function<void(QWidget&)> activate;
    // Asks the desktop to draw the player's eye to the window (QApplication::alert).
    std::function<void(QWidget&)> alert;

    bool IsX11() const { return platform == QStringLiteral("xcb"); }
    // Whether a program may place its own windows; on Wayland the compositor does.
    bool PlacesWindows() const { return !platform.startsWith(QStringLiteral("wayland")); }
};

// The running application's window system, with the real calls. Only once
// the application object exists.
const WindowSystem& RunningWindowSystem();

// Asks the window manager to give `window` a title bar and border with no
// buttons in it (no minimise, maximise or close), and to offer only moving
// it. Call while the window is created but not yet shown (from its
// showEvent). Only X11 has these hints; elsewhere the window's own flags are
// all the program can say.
void AskForTitleOnlyFrame(QWidget& window, const WindowSystem& system);

// Keeps a window of fixed size at that size: a maximised or full-screen
// state, asked for by decorations that offer it whatever the window says
// (Qt's own on Wayland) or by the desktop, is undone at once. Call once the
// window is created (from its first showEvent); calling again does nothing.
void KeepExactSize(QWidget& window);

// Centres a top-level window on its screen where the platform lets programs
// place windows, and leaves the placing to the compositor where it does not.
void CentreOnScreen(QWidget& window, const WindowSystem& system);

// Gives `second`, a top-level window not yet shown, its place beside `main`
// (where `kept` says it was left, if that still lies on the screen) and a
// size no larger than the screen's available area. Where the compositor
// places windows only the size is given.
void PlaceBeside(QWidget& second, const QWidget& main, const KeptWindowPlace& kept, const WindowSystem& system);

// Where a top-level window stands now, to be kept: its frame's corner only
// where programs may place their windows.
KeptWindowPlace PlaceOf(const QWidget& window, const WindowSystem& system);

}  // namespace tilvaren
