// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace moka {

class Ball;
class Racket;
class Opponent;

// The objects of the game being played. The game start owns them; the frame
// loop only uses them. `com` is null in practice.
struct RallyCast
{
    Ball *ball = nullptr;
    Racket *racket = nullptr;
    Opponent *com = nullptr;
};

} // namespace moka
