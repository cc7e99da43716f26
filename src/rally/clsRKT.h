// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "rally/Racket.h"

#include <cstdint>

namespace moka {

class Ball;
class CourtPointer;
class Picture;
class SoundModule;
struct RallyState;

// The player's racket. A click on the court records a swing; in the swing's
// first frame the racket decides once whether it met the ball, then draws
// four frames of the swing at the click spot.
class clsRKT : public Racket
{
public:
    clsRKT(RallyState &rally, Ball &ball, SoundModule &sound, Picture &picB, const Picture &picROLL,
           CourtPointer &pointer);

    void ReINIT() override;
    void Task() override;

    std::int32_t frameNumber() const { return m_frame; }
    bool hitTested() const { return m_hitTested; }

    // The ball's new course for a hit with `button` when it lies `d` pixels
    // right of the click (left of it when negative): {FactorX, FactorY}.
    struct Course
    {
        std::int32_t factorX;
        std::int32_t factorY;
    };
    static Course course(std::int32_t button, std::int32_t d);

private:
    bool HIT_TEST();
    bool SWING_DRAW();

    RallyState &m_rally;
    Ball &m_ball;
    SoundModule &m_sound;
    Picture &m_picB;
    const Picture &m_picROLL;
    CourtPointer &m_pointer;
    std::int32_t m_frame = 0;
    bool m_hitTested = false;
};

} // namespace moka
