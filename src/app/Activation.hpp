#pragma once

#include <QByteArray>

class QWidget;

namespace tilvaren {

struct WindowSystem;

// The longest activation token taken from another process; launchers give a
// few dozen bytes.
inline constexpr qsizetype kMaxActivationToken = 255;

// `text` when it can be an activation token, else "": 1 to kMaxActivationToken
// bytes of printable ASCII without spaces. Tokens come from the environment
// and from other processes, so nothing else is passed on.
QByteArray ActivationToken(const QByteArray& text);

// The token that whoever started this process gave it to bring a window
// forward with: XDG_ACTIVATION_TOKEN (Wayland), else DESKTOP_STARTUP_ID; the
// first valid one, or "". Read before the application object exists: Qt's
// X11 platform takes DESKTOP_STARTUP_ID out of the environment as it starts.
QByteArray LaunchActivationToken();

// Brings `window` forward (restored if minimised, shown, raised, activated)
// for a start that asked for it with `token` ("" for none). X11 lets a
// program activate its window. Wayland grants it only for a token: Qt spends
// the one in XDG_ACTIVATION_TOKEN on the activation, so it is put there just
// before and never left there after (for a later activation or a program the
// game starts); without one the window asks for attention instead.
void BringForward(QWidget& window, const QByteArray& token, const WindowSystem& system);

}  // namespace tilvaren
