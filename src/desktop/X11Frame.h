// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>

#include <optional>

class QWidget;

namespace moka {

// What the X server and its window manager say about a top-level window,
// read straight from the server: Qt's own idea of a frame is only learnt
// after the window shows, and goes stale while a window manager maximizes
// and restores. Everything answers nothing off X11.
class X11Frame
{
public:
    // The program runs on an X server.
    static bool onX11();
    // The window manager names `hint` among the hints it supports
    // (_NET_SUPPORTED on the root window).
    static bool supports(const char *hint);
    // The frame the window manager puts around `window` (left, top, right,
    // bottom), as it says on the window (_NET_FRAME_EXTENTS), or as the
    // window it put around a shown window measures. A window that has not
    // been shown yet is asked about first (_NET_REQUEST_FRAME_EXTENTS) and
    // its answer awaited a short while: nothing without a window manager
    // that tells.
    static std::optional<QMargins> extents(QWidget &window);
    // The frame as the window manager says it on shown `window`
    // (_NET_FRAME_EXTENTS) and nothing else: nothing before the window
    // manager has put its frame around the window.
    static std::optional<QMargins> toldExtents(const QWidget &window);
    // Where the window's client area stands on the screen and how large it
    // is, as the server has it now.
    static std::optional<QRect> clientRect(const QWidget &window);
    // The whole of shown `window` on the screen, its frame included.
    static std::optional<QRect> outerRect(QWidget &window);
    // The server shows `window` (Qt calls a window visible a moment before
    // it asks the server to show it).
    static bool shown(const QWidget &window);
    // Asks for the client area of shown `window` at `at`, whatever Qt
    // believes of its place (Qt asks nothing of the server for a place it
    // thinks the window has already).
    static void moveClient(const QWidget &window, QPoint at);
};

} // namespace moka
