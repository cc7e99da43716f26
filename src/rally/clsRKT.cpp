// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rally/clsRKT.h"

#include "platform/Picture.h"
#include "rally/Ball.h"
#include "rally/CourtPointer.h"
#include "sound/SoundModule.h"
#include "state/RallyState.h"

namespace moka {

clsRKT::clsRKT(RallyState &rally, Ball &ball, SoundModule &sound, Picture &picB, const Picture &picROLL,
               CourtPointer &pointer)
    : m_rally(rally)
    , m_ball(ball)
    , m_sound(sound)
    , m_picB(picB)
    , m_picROLL(picROLL)
    , m_pointer(pointer)
{
}

void clsRKT::ReINIT()
{
    m_pointer.CUR_RACKET();
    m_rally.racketCursor = true;
    m_frame = 0;
    m_rally.swingActive = false;
    m_hitTested = false;
}

void clsRKT::Task()
{
    if (!m_rally.swingActive)
        return;
    if (!m_hitTested) {
        m_hitTested = true;
        if (HIT_TEST()) {
            m_rally.ballToCom = true;
            ++m_rally.rallyHits;
            m_sound.PLAY_103();
        } else {
            m_sound.PLAY_104();
        }
    }
    if (SWING_DRAW()) {
        m_rally.swingActive = false;
        m_hitTested = false;
    }
}

clsRKT::Course clsRKT::course(std::int32_t button, std::int32_t d)
{
    // The left button's racket lies left of the click and drives the ball to
    // the left; the right button is its mirror image.
    if (button == 2) {
        if (d < -12)
            return {0, -24};
        if (d < -8)
            return {4, -20};
        if (d <= 8)
            return {8, -16};
        if (d <= 12)
            return {12, -16};
        return {16, -12};
    }
    if (d < -12)
        return {-16, -12};
    if (d < -8)
        return {-12, -16};
    if (d <= 8)
        return {-8, -16};
    if (d <= 12)
        return {-4, -20};
    return {0, -24};
}

bool clsRKT::HIT_TEST()
{
    // From rank A on a low ball (its shadow close to it) cannot be hit.
    if (RallyState::shadowRule(m_rally.level) && m_rally.ballLow)
        return false;
    if (m_rally.pointDecided)
        return false;
    const std::int32_t x = m_ball.X();
    const std::int32_t y = m_ball.Y();
    if (!(m_rally.clickY - 44 < y && y < m_rally.clickY + 16))
        return false;
    if (!(m_rally.clickX - 20 < x && x < m_rally.clickX + 20))
        return false;
    // Only the left and right buttons hold a racket; any other button swings
    // at the air.
    if (m_rally.clickButton != 1 && m_rally.clickButton != 2)
        return false;
    const Course c = course(m_rally.clickButton, x - m_rally.clickX);
    m_ball.setFactorX(c.factorX);
    m_ball.setFactorY(c.factorY);
    m_ball.setY(y - 28);
    return true;
}

bool clsRKT::SWING_DRAW()
{
    if (m_frame == 0)
        m_pointer.CUR_SWING();
    if (m_frame == 4) {
        m_frame = 0;
        m_pointer.CUR_RACKET();
        m_rally.racketCursor = true;
        return true;
    }
    const int sx = 64 * m_frame;
    const int top = m_rally.clickY - 36;
    if (m_rally.clickButton == 1)
        m_picB.stretchBlt(m_rally.clickX - 48, top, 64, 48, m_picROLL, sx, 0, 64, 48, RasterOp::SrcAnd);
    else if (m_rally.clickButton == 2) // mirrored: x from clickX - 16 to clickX + 48
        m_picB.stretchBlt(m_rally.clickX + 48, top, -64, 48, m_picROLL, sx, 0, 64, 48, RasterOp::SrcAnd);
    ++m_frame;
    return false;
}

} // namespace moka
