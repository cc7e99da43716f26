// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QCursor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QString>

#include <cstdint>
#include <optional>

namespace moka {

class Platform;

// What the celebration needs from the program around it: the platform it
// runs on, the champion's name, the main window's picture and place on the
// screen, the run-wide numbers and the random numbers of the particles, the
// trophy, the sounds, and word of every frame shown. The game hands in its
// own; a test hands in one that watches.
class CelebrationHost
{
public:
    virtual ~CelebrationHost() = default;

    virtual Platform &platform() = 0;
    // The name engraved on the trophy.
    virtual QString championName() const = 0;
    // 1, 2, 3, … over the whole run: the numbers in the particles' IDs.
    virtual std::int16_t nextNumber() = 0;

    // The main window as it looks now, in its own logical pixels; a null
    // picture while it is not shown.
    virtual QImage mainWindowPicture() const = 0;
    // Where the main window's client area stands on the desktop; nothing
    // where the window system does not tell programs (Wayland).
    virtual std::optional<QRect> mainWindowRect() const = 0;
    // The pointer shown over the celebration (none to be seen).
    virtual QCursor pointer() const = 0;

    // Starts the random numbers afresh from `seed`; the sequence gives it the
    // clock as it starts.
    virtual void seedRandom(std::uint64_t seed) = 0;
    // Uniform random numbers in [0, 1).
    virtual double random() = 0;

    // The trophy picture as stored: a bitmap file whose first 26 bytes are
    // zero; empty when it cannot be read.
    virtual QByteArray trophy() = 0;
    // A sound the sequence asks for, heard or not: 101, 103, 104, 106 (the
    // repeating one), or 0 for stopping all sound.
    virtual void sound(int effect) = 0;
    // A frame copied onto the window: `changed` is the part of the window
    // that it repaints; everything else still shows the frame before.
    virtual void frameShown(const QRegion &changed) = 0;
};

} // namespace moka
