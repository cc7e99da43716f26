// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Clock.h"

#include <QImage>
#include <QSize>
#include <QString>

class QDialog;

namespace moka {

// Everything the game asks of its environment besides drawing into pictures:
// the clock, event processing and waiting, message boxes, modal dialogs, the
// screen, the folder of the ranking file and ending the program. The real implementation
// runs on Qt; tests use one with a virtual clock.
class Platform
{
public:
    virtual ~Platform() = default;

    virtual const Clock &clock() const = 0;
    std::int64_t now() const { return clock().nowMs(); }

    // Handles the window events that are waiting, then returns.
    virtual void processEvents() = 0;
    // Processes events at least once, then sleeps in the event loop until an
    // event arrives or the deadline passes, and repeats until the deadline.
    // Returns at once when the program is ending.
    virtual void waitUntil(std::int64_t deadlineMs) = 0;

    // A modal message box with an OK button and the program's title.
    virtual void messageBox(const QString &text) = 0;
    // Shows a dialog modally over its owner; returns its result. While the
    // program is ending no dialog is shown and 0 is returned.
    virtual int showModal(QDialog &dialog) = 0;

    virtual int screenDepth() const = 0;
    // The primary screen's size: where the game starts.
    virtual QSize screenSize() const = 0;
    // The screen (monitor) that shows most of `place`, in the desktop's
    // coordinates; the primary screen for an empty `place`.
    virtual QRect screenHolding(const QRect &place) const = 0;
    // A copy of the screen at `screen` (one of screenHolding's answers) as it
    // shows now; null where the window system does not allow it.
    virtual QImage grabScreen(const QRect &screen) = 0;
    // The folder the game keeps its ranking file in, always ending in '/':
    // the program's own folder for a portable game, the player's data folder
    // for an installed one (made here when it does not exist yet).
    virtual QString dataFolder() const = 0;

    // Ends the program from anywhere: closes every window, leaves every event
    // loop and makes every wait return. Code that regains control afterwards
    // checks ending() and unwinds.
    void endProgram();
    bool ending() const { return m_ending; }

    static QString title();

protected:
    // What ending means on this platform after the windows are closed.
    virtual void onEnd() = 0;

private:
    bool m_ending = false;
};

} // namespace moka
