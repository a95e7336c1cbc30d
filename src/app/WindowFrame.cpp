#include "app/WindowFrame.hpp"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <array>
#include <cstdint>
#include <cstring>

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

}  // namespace

void AskForTitleOnlyFrame(QWidget* window) {
    // Qt asks for a title bar without buttons by giving no decorations at all,
    // which leaves the manager free to draw every button it has; here the
    // decorations are named: title and border, and moving is all it offers.
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr || x11->connection() == nullptr || window == nullptr) return;
    xcb_connection_t* connection = x11->connection();
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(kHintsAtom)), kHintsAtom);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (reply == nullptr) return;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    const std::array<std::uint32_t, 5> hints = {kHintsFunctions | kHintsDecorations, kFunctionMove,
                                                kDecorationBorder | kDecorationTitle, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()), atom, atom, 32,
                        static_cast<std::uint32_t>(hints.size()), hints.data());
    xcb_flush(connection);
}

}  // namespace tilvaren
