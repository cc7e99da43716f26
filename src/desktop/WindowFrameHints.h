// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

namespace moka {

// What a window asks of an X11 window manager beyond Qt's window flags.
class WindowFrameHints
{
public:
    // A title bar with the system menu and a close button, no minimise or
    // maximise button and no resizing border, yet a window the program
    // itself may maximize: window managers that honour a program's hints
    // (metacity, xfwm4, weston's X11 support) refuse to maximize a window
    // whose hints forbid it, and show a maximise button wherever they allow
    // it. Qt ties the two together, so the hints are written here. Does
    // nothing off X11.
    static void titleAndCloseButMaximizable(QWidget &window);
};

} // namespace moka
