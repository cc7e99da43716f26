// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/WindowFrameHints.h"

#include "desktop/Xcb.h"

#include <QWidget>

#include <array>
#include <cstdint>

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
    xcb_connection_t *connection = Xcb::connection();
    if (!connection)
        return;
    const xcb_atom_t atom = Xcb::atom(connection, "_MOTIF_WM_HINTS", true);
    if (atom == XCB_ATOM_NONE)
        return;
    // Resizing stays among the functions: some window managers (openbox)
    // maximize only what they may resize. The fixed size hints keep the
    // player from resizing the window at its normal size.
    const std::array<std::uint32_t, 5> hints{kHintsFunctions | kHintsDecorations,
                                             kFunctionResize | kFunctionMove | kFunctionMaximize |
                                                 kFunctionClose,
                                             kDecorBorder | kDecorTitle | kDecorMenu, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window.winId()), atom,
                        atom, 32, static_cast<std::uint32_t>(hints.size()), hints.data());
    xcb_flush(connection);
}

} // namespace moka
