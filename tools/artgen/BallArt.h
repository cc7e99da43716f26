// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

// The ball, 32 x 16, 16 colours: at the left the 16 x 16 ball, yellow with a
// green rim on black, at the right its mask (ball black on white). The game
// also draws the mask alone, offset by the bounce height, as the shadow.
class BallArt
{
public:
    static constexpr int Size = 16;

    static QImage render();
};
