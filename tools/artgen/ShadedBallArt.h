// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QList>

// The celebration's big ball, 48 x 96, 256 colours: in rows 0-47 a shaded
// yellow tennis ball with its white seam, lit from the upper left, on black;
// in rows 48-95 its mask, a black disc on white. The ball half is drawn
// alone with OR (bright) or after the mask with AND and XOR (solid), always
// stretched, from 16 up to 528 pixels.
class ShadedBallArt
{
public:
    static constexpr int Size = 48;

    static constexpr int Black = 0;
    static constexpr int White = 255; // the mask's surroundings

    static QList<QRgb> palette();
    static QImage render();
};
