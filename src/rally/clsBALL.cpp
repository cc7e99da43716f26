// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rally/clsBALL.h"

#include "platform/Picture.h"
#include "platform/Platform.h"
#include "sound/SoundModule.h"
#include "state/RallyState.h"

#include <QString>

namespace moka {

namespace {
// The goal mouth at each end spans ball centres x 37–243; x 8–36 and
// 244–273 beside it are wall.
bool inGoalMouth(std::int32_t x) { return x > 36 && x < 244; }
} // namespace

clsBALL::clsBALL(RallyState &rally, SoundModule &sound, Platform &platform, Picture &picB,
                 const Picture &picBALL)
    : m_rally(rally)
    , m_sound(sound)
    , m_platform(platform)
    , m_picB(picB)
    , m_picBALL(picBALL)
{
}

void clsBALL::endLine(std::int32_t &nextX, std::int32_t &nextY, bool towardComputer)
{
    // Reflection is from the current position: the ball steps back from
    // where it was rather than touching the wall.
    if (inGoalMouth(m_x)) {
        if (m_rally.comActive) {
            m_rally.pointDecided = true;
            m_sound.PLAY_105();
        } else { // practice: the ball comes back from both ends
            m_factorY = -m_factorY;
            nextY = m_y + m_factorY;
        }
    } else {
        m_factorY = -m_factorY;
        nextY = m_y + m_factorY;
        if (nextX < RallyState::courtLeft || nextX > RallyState::courtRight) {
            m_factorX = -m_factorX;
            nextX = m_x + m_factorX;
        }
    }
    m_rally.ballToCom = !towardComputer;
}

void clsBALL::Task()
{
    std::int32_t nextX = 0;
    std::int32_t nextY = 0;
    if (m_rally.ballInPlay) {
        nextX = m_x + m_factorX;
        nextY = m_y + m_factorY;
        if (!m_rally.pointDecided) {
            if (nextY < RallyState::courtTop) {
                endLine(nextX, nextY, true);
            } else if (nextY > RallyState::courtBottom) {
                endLine(nextX, nextY, false);
            } else if (nextX < RallyState::courtLeft || nextX > RallyState::courtRight) {
                m_factorX = -m_factorX;
                nextX = m_x + m_factorX;
            }
        }
    } else if (m_rally.comServeWait) {
        nextX = RallyState::serveX; // held on the computer's serve spot
        nextY = RallyState::comServeBallY;
    } else {
        m_platform.messageBox(QStringLiteral("*~P+"));
        return;
    }

    m_x = nextX;
    m_y = nextY;
    const std::int32_t drawX = m_x - 8;
    const std::int32_t drawY = m_y - 8;

    // The hop: up to 11, down to -3 and up again, 28 frames a cycle, of
    // which 7 are low.
    if (m_falling) {
        --m_height;
        if (m_height < 1)
            m_rally.ballLow = true;
        if (m_height < -2)
            m_falling = false;
    } else {
        ++m_height;
        if (m_height > 0)
            m_rally.ballLow = false;
        if (m_height > 10)
            m_falling = true;
    }

    // Shadow down-right of the ball by its height, then the ball itself.
    m_picB.bitBlt(drawX + m_height, drawY + m_height, 16, 16, m_picBALL, 16, 0, RasterOp::SrcAnd);
    m_picB.bitBlt(drawX, drawY, 16, 16, m_picBALL, 16, 0, RasterOp::SrcAnd);
    m_picB.bitBlt(drawX, drawY, 16, 16, m_picBALL, 0, 0, RasterOp::SrcInvert);

    if (m_rally.pointDecided) {
        if (m_y < -8) {
            m_rally.loopBreak = true;
            m_rally.outSide = 1;
        } else if (m_y > 521) {
            m_rally.loopBreak = true;
            m_rally.outSide = 2;
        }
    }
}

} // namespace moka
