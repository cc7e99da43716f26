// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace moka {

// The window system the game runs on.
class WindowSystem
{
public:
    // Chooses the window system before the application object exists. The
    // game places its windows centred and copies the screen for the
    // celebration, which Wayland does not allow programs to do; so in a
    // Wayland session it runs on X11 (XWayland) where that is there, and on
    // Wayland itself where it is not. A platform the player chose with
    // QT_QPA_PLATFORM is kept.
    static void choose();
    // The window system lets programs place their windows (not Wayland).
    static bool canPlaceWindows();
    // The window manager can maximize windows: false for those that say they
    // offer no such state (tiling ones such as i3), true where it cannot be
    // told.
    static bool canMaximize();
};

} // namespace moka
