// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace moka {

// What the match flow asks of the game's window beyond showing the score:
// the champion's celebration, the splash, the keyboard and closing. Every
// call returns once it is done; the celebration returns when it is over.
class GameWindowCommands
{
public:
    virtual ~GameWindowCommands() = default;
    // The champion's celebration, over the window.
    virtual void celebrate() = 0;
    // The splash goes if it is still up; the keyboard goes to the court; the
    // window closes (which ends the program).
    virtual void closeSplash() = 0;
    virtual void focusCourt() = 0;
    virtual void closeWindow() = 0;
};

} // namespace moka
