// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

// The confetti sheet, 128 x 128, 16 colours: an 8 x 8 grid of 16 x 16 cells
// on black. Row r holds one colour (red, yellow, cyan, magenta, blue, white,
// purple, green); column f is frame f of a paper strip tumbling through one
// full turn, so a piece that steps f = 0, 1, ..., 7, 0, ... turns smoothly.
// The celebration copies one cell at (16 f, 16 r) with OR, so black adds
// nothing; every piece keeps clear of its cell's outer ring of pixels, so it
// never shows a cut edge.
class ConfettiArt
{
public:
    static constexpr int Cell = 16;
    static constexpr int Colours = 8;
    static constexpr int Frames = 8;

    static QImage render();
};
