#include "desktop/WindowFrameHints.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <array>
#include <cstdint>
#include <cstdlib>

namespace moka {

namespace {

// The Motif window manager hints, as window managers still read them.
constexpr std::uint32_t kHintsFunctions = 1U << 0;
constexpr std::uint32_t kHintsDecorations = 1U << 1;
constexpr std::uint32_t kFunctionResize = 1U << 1;
constexpr std::uint32_t kFunctionMove = 1U << 2;
constexpr std::uint32_t kFunctionMaximize = 1U << 4;
constexpr std::uint32_t kFunctionClose = 1U << 5;
constexpr std::uint32_t kDecorBorder = 1U << 1;
constexpr std::uint32_t kDecorTitle = 1U << 3;
constexpr std::uint32_t kDecorMenu = 1U << 4;

} // namespace

void WindowFrameHints::titleAndCloseButMaximizable(QWidget &window)
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t *connection = x11->connection();
    static const char kName[] = "_MOTIF_WM_HINTS";
    xcb_intern_atom_reply_t *atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof kName - 1, kName), nullptr);
    if (!atom)
        return;
    // Resizing stays among the functions: some window managers (openbox)
    // maximize only what they may resize. The fixed size hints keep the
    // player from resizing the window at its normal size.
    const std::array<std::uint32_t, 5> hints{kHintsFunctions | kHintsDecorations,
                                             kFunctionResize | kFunctionMove | kFunctionMaximize |
                                                 kFunctionClose,
                                             kDecorBorder | kDecorTitle | kDecorMenu, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window.winId()),
                        atom->atom, atom->atom, 32, static_cast<std::uint32_t>(hints.size()), hints.data());
    xcb_flush(connection);
    std::free(atom);
}

} // namespace moka
