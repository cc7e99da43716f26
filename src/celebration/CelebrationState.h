// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "celebration/ParticleList.h"

#include <QRgb>

#include <array>
#include <cstdint>
#include <functional>

namespace moka {

class Picture;

// What the celebration window shares with its fireworks and confetti: the
// screen size, the back buffer and the sprite sheet they draw into and from,
// the colour for new bursts, the number tables and the particle list.
struct CelebrationState
{
    std::int32_t screenW = 0;
    std::int32_t screenH = 0;
    Picture *picAAA = nullptr;       // back buffer of every frame
    const Picture *picQQQ = nullptr; // confetti sheet: 8 colours × 8 tumbling frames of 16 × 16
    QRgb burstColor = 0;             // colour given to the next burst

    std::array<std::int32_t, 36> cosTbl{}; // 1000 × cos(10° × i)
    std::array<std::int32_t, 36> sinTbl{}; // 1000 × sin(10° × i)
    std::array<std::int32_t, 11> eTbl{};   // dot size of a burst at each step

    ParticleList particleList;

    // The run-wide numbering of the particles' IDs.
    std::function<std::int16_t()> NEXT_NO;
    // Uniform random numbers in [0, 1).
    std::function<double()> Rnd;
};

} // namespace moka
