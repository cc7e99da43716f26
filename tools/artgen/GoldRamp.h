// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QRgb>

// The polished gold shared by the trophy and the congratulation banner: a
// ramp of twelve shades from the deepest shadow to the white-hot highlight.
// Metal is shaded in these few steps rather than smoothly, so highlights
// stay crisp and rows pack into long runs.
class GoldRamp
{
public:
    static constexpr int Levels = 12;

    static QList<QRgb> colours();

    // The shade for a brightness in [0, 1] (clamped), 0 = darkest.
    static int level(double brightness);

    // Brightness of polished metal across a rounded surface: `u` runs from
    // -1 at the left edge through 0 facing the viewer to 1 at the right
    // edge. A window-like highlight sits left of centre, a dark reflection
    // right of it and a thin rim light near the right edge.
    static double sheen(double u);
};
