// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "rally/Opponent.h"
#include "state/RallyState.h"

#include <cstdint>

namespace moka {

class Ball;
class Picture;
class SoundModule;
struct AppearanceState;

// The computer player at the top end. It chases a ball coming its way at a
// speed set by the colours of the round, swings when the ball is in its
// hitting zone and returns it one frame later at one of six courses; with the
// ball going away it drifts back up and left toward its home spot. It also
// plays its serve animation and shows a waiting pose while the player serves.
class clsCOM : public Opponent
{
public:
    clsCOM(RallyState &rally, const AppearanceState &appearance, Ball &ball, SoundModule &sound,
           Picture &picB, const Picture &picCOM, const Picture &picCOMsh);

    // Cancels a swing and forgets that the ball comes this way. Nothing in
    // the game calls it.
    void ReINIT();
    // Speeds and reach from the court and racket colours.
    void SET_ASP() override;
    // One frame of behaviour and drawing into the back buffer.
    void Task() override;
    void setX(std::int32_t x) override { m_x = x; }
    void setY(std::int32_t y) override { m_y = y; }

    std::int32_t x() const { return m_x; }
    std::int32_t y() const { return m_y; }
    std::int32_t speedX() const { return m_speedX; }
    std::int32_t speedY() const { return m_speedY; }
    std::int32_t reach() const { return m_reach; }
    bool swinging() const { return m_swinging; }
    std::int32_t frameNumber() const { return m_frameNumber; }
    bool faceLeft() const { return m_faceLeft; }

private:
    void serve();
    void chase();
    void driftHome();
    void swing();
    void returnBall();
    void drawResting();
    void drawAnimationFrame(bool mirrored);

    RallyState &m_rally;
    const AppearanceState &m_appearance;
    Ball &m_ball;
    SoundModule &m_sound;
    Picture &m_picB;
    const Picture &m_picCOM;
    const Picture &m_picCOMsh;

    std::int32_t m_homeY = 88;
    std::int32_t m_homeX = 141;
    std::int32_t m_x = RallyState::serveX;
    std::int32_t m_y = RallyState::comServeY;
    bool m_faceLeft = false;
    bool m_swinging = false;
    std::int32_t m_frameNumber = 0;
    std::int32_t m_minX = 16;
    std::int32_t m_minY = 20;
    std::int32_t m_maxX = 269;
    std::int32_t m_maxY = 228;
    std::int32_t m_speedX = 0;
    std::int32_t m_speedY = 0;
    std::int32_t m_reach = 0;
    std::int32_t m_zoneTop = -16;
    std::int32_t m_zoneBottom = 44;
};

} // namespace moka
