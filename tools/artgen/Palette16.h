// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QList>

// The standard 16-colour palette every 4-bit picture of the game shares.
class Palette16
{
public:
    enum Index {
        Black = 0,
        Maroon,
        Green,
        Olive,
        Navy,
        Purple,
        Teal,
        Silver,
        Grey,
        Red,
        Lime,
        Yellow,
        Blue,
        Magenta,
        Cyan,
        White,
    };

    static QList<QRgb> colours();

    // Palette index nearest to `colour` (plain RGB distance, first wins ties).
    static int nearest(QRgb colour);

    // An indexed copy of `image` with each pixel mapped to its nearest entry.
    static QImage quantize(const QImage &image);
};
