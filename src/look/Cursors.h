// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCursor>
#include <QImage>

namespace moka {

// Mouse pointers made from 32 × 32 pictures.
class Cursors
{
public:
    // A pointer from a picture with transparency, its hot spot at (hotX, hotY)
    // in picture pixels, sized for the screens' device pixel ratio.
    static QCursor fromPicture(const QImage &picture, int hotX = 16, int hotY = 20);
    // The same for a given device pixel ratio: the picture is enlarged without
    // smoothing, each of its pixels becoming a block of screen pixels the way
    // the court's are, and the hot spot moves with it.
    static QCursor fromPicture(const QImage &picture, int hotX, int hotY, qreal ratio);
    // A pointer that shows nothing.
    static QCursor invisible();
};

} // namespace moka
