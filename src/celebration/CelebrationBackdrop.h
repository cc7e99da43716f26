// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QRect>

namespace moka {

class CelebrationHost;
class Picture;

// What the celebration opens over: a copy of the screen area it covers, or,
// where the window system does not let the screen be copied, the main window
// where it stands on a dark desk.
class CelebrationBackdrop
{
public:
    // Gives `picture` the backdrop of `screen` (in the desktop's coordinates)
    // as its content, image and background, sized to the screen area. The
    // screen copy is taken over without a second screen-sized picture.
    static void take(Picture &picture, CelebrationHost &host, const QRect &screen);
    // True for a capture that shows nothing: refused by the window system, or
    // black as some compositors hand it out.
    static bool blank(const QImage &capture);
};

} // namespace moka
