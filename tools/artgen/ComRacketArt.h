// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "RacketShape.h"

#include <QImage>

// The computer's racket, 16 colours, drawn on black with its mask below.
// The game recolours palette entry 12 (blue) for each round, so entry 12 is
// every pixel of the racket that takes the round's colour and nothing else:
// frame, strings, throat and the cap of the handle. The grip is dark grey
// (entry 8) and the outline black (entry 0); a black outline pixel is still
// part of the sprite (its mask is black), so it shows as black on the court.
class ComRacketArt
{
public:
    // 32 x 64: the racket at rest above its mask. Drawn with its top-left at
    // (X - 16, Y - 12) for the computer at (X, Y): the head hangs below that
    // spot, where the ball is met, and the handle points up the court.
    static QImage rest();

    // 256 x 96: the four swing poses (tilted left, upright, tilted right,
    // nearly flat) in the top row, their masks in the row below (y 48). The
    // player's swing turned upside down: drawn from (X - 48, Y - 12) the
    // computer's spot is at (48, 12) of a frame and the head sweeps below it.
    static QImage swing();

private:
    // Paints a part map into the picture at (x, y) and its mask at
    // (x, y + maskOffset).
    static void paint(QImage &image, const QImage &map, int x, int y, int maskOffset);
};
