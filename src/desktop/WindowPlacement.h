// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

namespace moka {

// Where the game's top-level windows appear. Every window is placed by its
// outer frame from its first showing on, so a window manager's title bar and
// borders are counted: the frame a window is going to get is asked of the
// window manager before it shows; where it does not tell, a decorated dialog
// is taken to get the frame of its decorated owner. Where the window system
// does not let programs place windows (Wayland), moving does nothing and the
// compositor places them.
class WindowPlacement
{
public:
    // Centres `window` on the owner's whole window (frame included), or on the
    // owner's screen when there is no owner.
    static void centre(QWidget &window, const QWidget *owner);
    // Centres `window` on the screen that shows `owner` (the primary screen
    // when there is no owner).
    static void centreOnScreen(QWidget &window, const QWidget *owner);
    // Centres `window` on the desktop of the primary screen: the screen less
    // the panels a desktop keeps there.
    static void centreOnDesktop(QWidget &window);
    // Shows `window` above `owner`: a transient of it for the window manager
    // or compositor, raised and given the focus.
    static void showAbove(QWidget &window, QWidget &owner);
};

} // namespace moka
