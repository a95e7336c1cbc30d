#include "app/Activation.hpp"

#include <QWidget>
#include <algorithm>

#include "app/WindowFrame.hpp"

namespace tilvaren {

namespace {

constexpr char kWaylandToken[] = "XDG_ACTIVATION_TOKEN";
constexpr char kStartupId[] = "DESKTOP_STARTUP_ID";

}  // namespace

QByteArray ActivationToken(const QByteArray& text) {
    const bool fits = !text.isEmpty() && text.size() <= kMaxActivationToken &&
                      std::all_of(text.begin(), text.end(), [](char c) { return c > ' ' && c < '\x7f'; });
    return fits ? text : QByteArray();
}

QByteArray LaunchActivationToken() {
    if (QByteArray token = ActivationToken(qgetenv(kWaylandToken)); !token.isEmpty()) return token;
    return ActivationToken(qgetenv(kStartupId));
}

void BringForward(QWidget& window, const QByteArray& token, const WindowSystem& system) {
    const bool x11 = system.IsX11();
    if (!x11) {
        // Only the token of this request: never one left from an earlier start.
        if (token.isEmpty()) {
            qunsetenv(kWaylandToken);
        } else {
            qputenv(kWaylandToken, token);
        }
    }
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    system.activate(window);
    if (x11) return;
    // A compositor without activation leaves the token unspent.
    qunsetenv(kWaylandToken);
    if (token.isEmpty()) system.alert(window);
}

}  // namespace tilvaren
