// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "RacketShape.h"

#include <QImage>
#include <QList>

// The player's swing: four 64 x 48 poses side by side (256 x 48, one bit),
// black line drawing on white. The game draws them with AND only, so white
// is see-through.
//
// A frame is placed with the click spot at (48, 36) and the ball is hit
// within 20 pixels left or right of it and from 44 above to 16 below, so the
// head sweeps through the area around and above the click spot while the
// handle swings round below it: tilted left, upright, tilted right and nearly
// flat. The right button shows the frames mirrored.
class RollArt
{
public:
    static constexpr int FrameWidth = 64;
    static constexpr int FrameHeight = 48;
    static constexpr int Frames = 4;

    static QImage render();

    // The four poses in frame coordinates, for the player's racket; the
    // computer's swing reuses them turned upside down.
    static QList<RacketShape::Pose> poses();
};
