#include "app/WindowFrame.hpp"

#include <xcb/xcb.h>

#include <QApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <cstring>

#include "session/Geometry.hpp"

namespace tilvaren {

namespace {

// The Motif window manager hints, which X11 window managers read for the
// decorations and functions of a window.
constexpr std::uint32_t kHintsFunctions = 1u << 0;
constexpr std::uint32_t kHintsDecorations = 1u << 1;
constexpr std::uint32_t kFunctionMove = 1u << 2;
constexpr std::uint32_t kDecorationBorder = 1u << 1;
constexpr std::uint32_t kDecorationTitle = 1u << 3;
constexpr char kHintsAtom[] = "_MOTIF_WM_HINTS";
constexpr char kKeptSize[] = "tilvarenKeptSize";

void SetMotifHintsOverXcb(QWidget& window, const MotifHints& hints) {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr || x11->connection() == nullptr) return;
    xcb_connection_t* connection = x11->connection();
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(kHintsAtom)), kHintsAtom);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (reply == nullptr) return;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window.winId()), atom, atom, 32,
                        static_cast<std::uint32_t>(hints.size()), hints.data());
    xcb_flush(connection);
}

}  // namespace

const WindowSystem& RunningWindowSystem() {
    static const WindowSystem running{QGuiApplication::platformName(), SetMotifHintsOverXcb,
                                      [](QWidget& window) { window.activateWindow(); },
                                      [](QWidget& window) { QApplication::alert(&window); }};
    return running;
}

void AskForTitleOnlyFrame(QWidget& window, const WindowSystem& system) {
    // Qt asks for a title bar without buttons by giving no decorations at all,
    // which leaves the manager free to draw every button it has; here the
    // decorations are named: title and border, and moving is all it offers.
    if (!system.IsX11()) return;
    system.setMotifHints(window, {kHintsFunctions | kHintsDecorations, kFunctionMove,
                                  kDecorationBorder | kDecorationTitle, 0, 0});
}

void KeepExactSize(QWidget& window) {
    QWindow* handle = window.windowHandle();
    if (handle == nullptr || window.property(kKeptSize).toBool()) return;
    window.setProperty(kKeptSize, true);
    // The window's own state, not only the widget's: decorations set it on the
    // window directly, and the desktop reports it there.
    QObject::connect(handle, &QWindow::windowStateChanged, &window, [&window, handle] {
        constexpr Qt::WindowStates kSized = Qt::WindowMaximized | Qt::WindowFullScreen;
        if ((handle->windowStates() & kSized) == 0) return;
        window.setWindowState(window.windowState() & ~kSized);
        handle->setWindowStates(handle->windowStates() & ~kSized);
    });
}

void CentreOnScreen(QWidget& window, const WindowSystem& system) {
    const QScreen* screen = window.screen();
    if (!system.PlacesWindows() || screen == nullptr) return;
    if (window.layout() != nullptr) window.layout()->activate();  // the window's final size, before it is placed
    const QRect available = screen->availableGeometry();
    window.move(available.x() + (available.width() - window.frameGeometry().width()) / 2,
                available.y() + (available.height() - window.frameGeometry().height()) / 2);
}

void PlaceBeside(QWidget& second, const QWidget& main, const KeptWindowPlace& kept, const WindowSystem& system) {
    const QScreen* screen = main.screen();
    if (screen == nullptr) return;
    const QRect available = screen->availableGeometry();
    if (second.layout() != nullptr) second.layout()->activate();
    // The decorations' share: the second window's own once it has been
    // shown, else the main window's, which the same manager draws.
    const QWidget& framed = second.windowHandle() != nullptr && second.isVisible() ? second : main;
    const QSize decorations = framed.frameGeometry().size() - framed.size();
    const QSize wanted = second.size().expandedTo(second.sizeHint());
    const QSize least = second.minimumSizeHint().expandedTo(second.minimumSize());
    SecondWindowWish wish{wanted.width() + decorations.width(), wanted.height() + decorations.height(),
                          least.width() + decorations.width(), least.height() + decorations.height(), {}};
    if (kept.HasSize() && kept.hasCorner) {
        wish.kept = {kept.left, kept.top, kept.width + decorations.width(), kept.height + decorations.height()};
    } else if (kept.HasSize()) {
        wish.width = kept.width + decorations.width();
        wish.height = kept.height + decorations.height();
    }
    const QRect frame = main.frameGeometry();
    const ScreenRect place = tilvaren::PlaceBeside({frame.x(), frame.y(), frame.width(), frame.height()}, wish,
                                                   {available.x(), available.y(), available.width(), available.height()});
    // A window smaller than its layout's least is squeezed, never let past the screen.
    second.setMinimumSize(std::min(least.width(), place.width - decorations.width()),
                          std::min(least.height(), place.height - decorations.height()));
    second.resize(place.width - decorations.width(), place.height - decorations.height());
    if (system.PlacesWindows()) second.move(place.x, place.y);
}

KeptWindowPlace PlaceOf(const QWidget& window, const WindowSystem& system) {
    KeptWindowPlace place;
    place.hasCorner = system.PlacesWindows();
    place.left = window.frameGeometry().x();
    place.top = window.frameGeometry().y();
    place.width = window.width();
    place.height = window.height();
    return place;
}

}  // namespace tilvaren
