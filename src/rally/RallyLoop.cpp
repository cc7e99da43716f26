// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rally/RallyLoop.h"

#include "look/Texts.h"
#include "platform/Picture.h"
#include "platform/Platform.h"
#include "rally/Ball.h"
#include "rally/CourtPointer.h"
#include "rally/CourtPresenter.h"
#include "rally/Opponent.h"
#include "rally/Racket.h"
#include "rally/RallyHooks.h"
#include "sound/SoundModule.h"
#include "state/RallyState.h"

#include <QString>

#include <cmath>
#include <exception>

namespace moka {

RallyLoop::RallyLoop(Platform &platform, RallyState &rally, SoundModule &sound, RallyHooks &hooks,
                     Picture &picB, CourtPresenter &court, CourtPointer &pointer)
    : m_platform(platform)
    , m_rally(rally)
    , m_sound(sound)
    , m_hooks(hooks)
    , m_picB(picB)
    , m_court(court)
    , m_pointer(pointer)
{
}

int RallyLoop::framePeriod(std::int32_t level)
{
    // Rank C plays at 120 ms a frame, the last round of rank A at 60 ms.
    switch (level) {
    case 2: return 110;
    case 3:
    case 4: return 100;
    case 5: return 90;
    case 6:
    case 7: return 80;
    case 8: return 70;
    case 9: return 60;
    default: return 120; // 0, 1 and anything an edited ranking file may bring
    }
}

RallyLoop::GameEnd RallyLoop::MAIN_LOOP()
{
    m_end = GameEnd::Left;
    try {
        runFrames();
    } catch (const std::exception &e) {
        m_platform.messageBox(Texts::withDetail(Texts::unexpectedError(), QString::fromLocal8Bit(e.what())));
        return GameEnd::Left;
    } catch (...) {
        m_platform.messageBox(Texts::unexpectedError());
        return GameEnd::Left;
    }
    return m_end;
}

void RallyLoop::runFrames()
{
    while (!m_platform.ending()) {
        const int period = framePeriod(m_rally.level);
        while (true) {
            const std::int64_t deadline = m_platform.now() + period;
            m_picB.clear();
            if (m_rally.swingActive && m_cast.racket)
                m_cast.racket->Task();
            if (m_cast.ball)
                m_cast.ball->Task();
            if (m_rally.comActive && m_cast.com)
                m_cast.com->Task();
            m_court.present(m_picB);
            // A late frame is not made up: the next deadline counts from now.
            m_platform.waitUntil(deadline);
            if (m_platform.ending())
                return;
            if (m_rally.loopBreak)
                break;
        }
        m_platform.processEvents();
        if (m_platform.ending())
            return;
        m_rally.loopBreak = false;
        if (const std::optional<GameEnd> end = SET_INIT()) {
            m_end = *end;
            return;
        }
        if (m_cast.racket)
            m_cast.racket->ReINIT();
    }
}

std::optional<RallyLoop::GameEnd> RallyLoop::SET_INIT()
{
    if (m_rally.stopRequest) {
        m_rally.stopRequest = false;
        m_sound.PLAY_102();
        const bool resume = m_hooks.resumeAfterInterrupt();
        // A resumed interrupt stays the request being handled until play goes
        // on: a stop pressed meanwhile is the same one, not a new one.
        m_rally.stopRequest = resume;
        m_platform.processEvents();
        if (m_platform.ending())
            return GameEnd::Left;
        if (resume) {
            m_rally.stopRequest = false;
            return std::nullopt;
        }
        fullReset();
        return GameEnd::Over;
    }
    if (m_rally.pointDecided) {
        m_rally.pointDecided = false;
        switch (m_rally.outSide) {
        case 1: // past the computer: the player won the point
            if (!m_hooks.pointAward())
                return GameEnd::Left; // a new champion; the celebration ends the program
            if (m_cast.ball) {
                m_cast.ball->setX(RallyState::serveX);
                m_cast.ball->setY(RallyState::comServeBallY);
            }
            if (m_cast.com) {
                m_cast.com->setX(RallyState::serveX);
                m_cast.com->setY(RallyState::comServeY);
                m_cast.com->SET_ASP();
            }
            m_rally.ballInPlay = false;
            m_rally.comServeWait = true;
            m_rally.comServing = false;
            break;
        case 2: // past the player: the computer won the point
            if (!m_hooks.pointAward()) {
                fullReset();
                return GameEnd::Over;
            }
            if (m_cast.ball) {
                m_cast.ball->setX(RallyState::serveX);
                m_cast.ball->setY(RallyState::userServeBallY);
            }
            if (m_cast.com)
                m_cast.com->SET_ASP();
            m_rally.comServeWait = false;
            m_rally.ballInPlay = true;
            m_rally.comServing = false;
            m_rally.userServeWait = true;
            break;
        default: m_platform.messageBox(QStringLiteral("iGET???")); break;
        }
        if (m_platform.ending())
            return GameEnd::Left;
        if (m_cast.ball) {
            m_cast.ball->setFactorX(0);
            m_cast.ball->setFactorY(0);
        }
        m_rally.outSide = 0;
        m_rally.rallyHits = 0;
        return std::nullopt;
    }
    fullReset();
    return GameEnd::Over;
}

void RallyLoop::showBareCourt()
{
    m_picB.clear();
    m_court.present(m_picB);
}

void RallyLoop::fullReset()
{
    showBareCourt();
    m_rally.outSide = 0;
    m_rally.rallyHits = 0;
    m_rally.ballInPlay = false;
    m_rally.comServeWait = false;
    m_rally.comActive = false;
    m_rally.comServing = false;
    m_rally.userServeWait = false;
    m_rally.pointDecided = false;
    m_rally.swingActive = false;
    m_rally.ballToCom = false;
    m_rally.loopBreak = false;
    normalPointer();
}

void RallyLoop::normalPointer()
{
    m_pointer.CUR_NORMAL();
    m_rally.racketCursor = false;
}

void RallyLoop::courtMouseDown(int button, double x, double y)
{
    if (m_rally.comServeWait) {
        // Any click starts the computer's serve: the ball flies straight
        // down the court. No ball on court yet: nothing to serve.
        if (!m_cast.ball)
            return;
        m_rally.comServeWait = false;
        m_cast.ball->setFactorX(0);
        m_cast.ball->setFactorY(25);
        m_rally.ballInPlay = true;
        m_rally.comServing = true;
    } else if (m_rally.racketCursor) {
        // Rounded to the nearest pixel, halves to even.
        m_rally.clickX = static_cast<std::int32_t>(std::lrint(x));
        m_rally.clickY = static_cast<std::int32_t>(std::lrint(y));
        m_rally.clickButton = button;
        m_rally.swingActive = true;
        m_rally.userServeWait = false;
    }
}

void RallyLoop::courtMouseMove(double x, double y)
{
    // Over the lower court the pointer is a racket.
    const bool inZone = y >= 268 && y <= 500 && x >= RallyState::courtLeft && x <= RallyState::courtRight;
    if (inZone && !m_rally.racketCursor) {
        m_pointer.CUR_RACKET();
        m_rally.racketCursor = true;
    } else if (!inZone && m_rally.racketCursor) {
        normalPointer();
    }
}

} // namespace moka
