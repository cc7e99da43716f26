// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rally/clsCOM.h"

#include "platform/Picture.h"
#include "rally/Ball.h"
#include "sound/SoundModule.h"
#include "state/AppearanceState.h"
#include "state/RallyState.h"

#include <algorithm>
#include <limits>

namespace moka {

namespace {

// The centre line of the court: from right of it the computer drives the
// ball to the left, from at or left of it to the right.
constexpr std::int32_t centreX = 141;
// The waiting pose while the player serves.
constexpr std::int32_t waitX = 141;
constexpr std::int32_t waitY = 88;
// How far back the computer steps from a low ball at rank A.
constexpr std::int32_t stepBack = 32;
// A returned ball starts this far below where it was met.
constexpr std::int32_t returnDrop = 28;
// Racket at rest 32 × 32 (mask below the image); serve and swing frames
// 64 × 48 side by side (masks in the row below).
constexpr int restSize = 32;
constexpr int frameWidth = 64;
constexpr int frameHeight = 48;
constexpr int frameCount = 4;

// Positions come from outside (the set-up between points, the ball), so the
// sums are taken in 64 bits and pinned to the 32-bit range rather than
// allowed to overflow.
std::int32_t pin(std::int64_t v)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

struct Course
{
    std::int32_t factorX;
    std::int32_t factorY;
};

// The ball's new factors for a return, with the ball `d` pixels right of the
// racket (left when negative). A ball met on the edge toward the centre line
// goes straight down.
Course returnCourse(std::int64_t d, bool rightOfCentre)
{
    if (rightOfCentre) {
        if (d < -12)
            return {0, 24};
        if (d < -8)
            return {-4, 20};
        if (d <= 8)
            return {-8, 16};
        if (d <= 12)
            return {-12, 16};
        return {-16, 12};
    }
    if (d < -12)
        return {16, 12};
    if (d < -8)
        return {12, 16};
    if (d <= 8)
        return {8, 16};
    if (d <= 12)
        return {4, 20};
    return {0, 24};
}

} // namespace

clsCOM::clsCOM(RallyState &rally, const AppearanceState &appearance, Ball &ball, SoundModule &sound,
               Picture &picB, const Picture &picCOM, const Picture &picCOMsh)
    : m_rally(rally)
    , m_appearance(appearance)
    , m_ball(ball)
    , m_sound(sound)
    , m_picB(picB)
    , m_picCOM(picCOM)
    , m_picCOMsh(picCOMsh)
{
    SET_ASP();
}

void clsCOM::ReINIT()
{
    m_frameNumber = 0;
    m_rally.ballToCom = false;
    m_swinging = false;
}

void clsCOM::SET_ASP()
{
    // In a tournament the colours follow the round: court 0 for rounds 1–3,
    // 1 for 4–6, 2 for 7–9, and racket colour = round.
    const std::int32_t racket = m_appearance.racketColor;
    struct Row
    {
        std::int32_t speedX, speedY, reach;
    };
    Row row;
    switch (m_appearance.courtColor) {
    case 0: row = racket <= 1 ? Row{16, 6, 18} : racket == 2 ? Row{17, 7, 19} : Row{18, 8, 20}; break;
    case 1: row = racket == 4 ? Row{19, 8, 21} : racket == 5 ? Row{20, 9, 22} : Row{21, 10, 23}; break;
    default: row = racket == 7 ? Row{22, 10, 24} : racket == 8 ? Row{23, 11, 25} : Row{24, 12, 26}; break;
    }
    m_speedX = row.speedX;
    m_speedY = row.speedY;
    m_reach = row.reach;
}

void clsCOM::Task()
{
    if (m_rally.comServing) {
        serve();
        return;
    }
    if (m_rally.userServeWait) {
        m_x = waitX;
        m_y = waitY;
        drawResting();
        return;
    }
    if (m_rally.ballToCom)
        chase();
    if (m_rally.ballInPlay && !m_rally.ballToCom && !m_swinging)
        driftHome();
    if (m_swinging)
        swing();
    else
        drawResting();
}

void clsCOM::serve()
{
    // The ball already left with the player's click; this is only the show.
    drawAnimationFrame(false);
    ++m_frameNumber;
    if (m_frameNumber == 1)
        m_sound.PLAY_103();
    if (m_frameNumber >= frameCount) {
        m_frameNumber = 0;
        m_rally.comServing = false;
    }
}

void clsCOM::chase()
{
    // Both distances are taken before moving.
    const std::int64_t dx = std::int64_t(m_ball.X()) - m_x;
    const std::int64_t dy = std::int64_t(m_ball.Y()) - m_y;

    if (dx > m_reach)
        m_x = pin(std::int64_t(m_x) + m_speedX);
    else if (dx < -m_reach)
        m_x = pin(std::int64_t(m_x) - m_speedX);
    if (dy > 0)
        m_y = pin(std::int64_t(m_y) + m_speedY);
    else
        m_y = pin(std::int64_t(m_y) - m_speedY);

    // One bound at most per frame, and a frame that needed one makes no
    // zone test.
    if (m_x < m_minX) {
        m_x = m_minX;
    } else if (m_x > m_maxX) {
        m_x = m_maxX;
    } else if (m_y < m_minY) {
        m_y = m_minY;
    } else if (m_y > m_maxY) {
        m_y = m_maxY;
    } else if (dy > m_zoneTop && dy < m_zoneBottom && dx > -m_reach && dx < m_reach) {
        if (RallyState::shadowRule(m_rally.level) && m_rally.ballLow) {
            // From rank A on the computer, like the player, lets a low ball by.
            m_y = pin(std::int64_t(m_y) - stepBack);
        } else if (!m_rally.pointDecided) {
            m_rally.ballToCom = false;
            m_swinging = true;
        }
    }
}

void clsCOM::driftHome()
{
    // Only up and to the left: left of home or above it the computer stays.
    if (m_y > m_homeY)
        m_y -= m_speedY;
    if (m_x > m_homeX)
        m_x -= m_speedX;
}

void clsCOM::swing()
{
    if (m_frameNumber == 1)
        returnBall();
    drawAnimationFrame(!m_faceLeft);
    ++m_frameNumber;
    if (m_frameNumber >= frameCount) {
        m_frameNumber = 0;
        m_swinging = false;
    }
}

void clsCOM::returnBall()
{
    // The ball has moved once more since the swing began; wherever it is now,
    // in the zone or not, decided or not, it goes back.
    m_sound.PLAY_103();
    ++m_rally.rallyHits;
    const std::int64_t d = std::int64_t(m_ball.X()) - m_x;
    const bool rightOfCentre = m_x > centreX;
    const Course course = returnCourse(d, rightOfCentre);
    m_faceLeft = rightOfCentre;
    m_ball.setFactorX(course.factorX);
    m_ball.setFactorY(course.factorY);
    m_ball.setY(pin(std::int64_t(m_ball.Y()) + returnDrop));
}

void clsCOM::drawResting()
{
    const int left = pin(std::int64_t(m_x) - 16);
    const int top = pin(std::int64_t(m_y) - 12);
    m_picB.bitBlt(left, top, restSize, restSize, m_picCOM, 0, restSize, RasterOp::SrcAnd);
    m_picB.bitBlt(left, top, restSize, restSize, m_picCOM, 0, 0, RasterOp::SrcInvert);
}

void clsCOM::drawAnimationFrame(bool mirrored)
{
    // Unmirrored the frame spans x from X − 48 to X + 16; mirrored about X it
    // spans X − 16 to X + 48.
    const int sx = frameWidth * m_frameNumber;
    const int top = pin(std::int64_t(m_y) - 12);
    const int dx = pin(mirrored ? std::int64_t(m_x) + 48 : std::int64_t(m_x) - 48);
    const int dw = mirrored ? -frameWidth : frameWidth;
    m_picB.stretchBlt(dx, top, dw, frameHeight, m_picCOMsh, sx, frameHeight, frameWidth, frameHeight,
                      RasterOp::SrcAnd);
    m_picB.stretchBlt(dx, top, dw, frameHeight, m_picCOMsh, sx, 0, frameWidth, frameHeight,
                      RasterOp::SrcInvert);
}

} // namespace moka
