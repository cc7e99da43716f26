// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BallArt.h"

#include "Palette16.h"

#include <cmath>

QImage BallArt::render()
{
    QImage image(Size * 2, Size, QImage::Format_Indexed8);
    image.setColorTable(Palette16::colours());
    image.fill(Palette16::Black);

    // Centred on the sprite's middle (8, 8): the ball's centre is its X, Y.
    const double cx = Size / 2.0, cy = Size / 2.0;
    const double radius = 6.9;
    for (int y = 0; y < Size; ++y) {
        for (int x = 0; x < Size; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double d = std::hypot(dx, dy);
            uchar *mask = image.scanLine(y) + Size + x;
            if (d >= radius) {
                *mask = Palette16::White;
                continue;
            }
            *mask = Palette16::Black;
            int entry = Palette16::Yellow;
            if (d > radius - 1.2)
                entry = Palette16::Green; // the rim
            else if (std::hypot(dx + 2.2, dy + 2.2) < 1.6)
                entry = Palette16::White; // the shine, up left
            else if (std::hypot(dx + 1.7, dy + 1.7) > radius - 0.2)
                entry = Palette16::Olive; // the shaded crescent, down right
            image.scanLine(y)[x] = uchar(entry);
        }
    }
    return image;
}
