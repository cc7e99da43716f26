#include "rally/RallyLoop.h"

#include "desktop/PictureBox.h"
#include "look/Texts.h"
#include "platform/Picture.h"
#include "platform/Platform.h"
#include "rally/Ball.h"
#include "rally/Opponent.h"
#include "rally/Racket.h"
#include "rally/RallyHooks.h"
#include "sound/SoundModule.h"
#include "state/MatchState.h"
#include "state/RallyState.h"

#include <QString>

#include <exception>

namespace moka {

RallyLoop::RallyLoop(Platform &platform, RallyState &rally, MatchState &match, SoundModule &sound,
                     RallyHooks &hooks, Picture &picB, PictureBox &picP)
    : m_platform(platform)
    , m_rally(rally)
    , m_match(match)
    , m_sound(sound)
    , m_hooks(hooks)
    , m_picB(picB)
    , m_picP(picP)
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

void RallyLoop::MAIN_LOOP()
{
    try {
        runFrames();
    } catch (const std::exception &e) {
        m_platform.messageBox(Texts::withDetail(Texts::unexpectedError(), QString::fromLocal8Bit(e.what())));
    } catch (...) {
        m_platform.messageBox(Texts::unexpectedError());
    }
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
            m_picP.picture().bitBlt(0, 0, RallyState::courtWidth, RallyState::courtHeight, m_picB, 0, 0,
                                    RasterOp::SrcCopy);
            m_picP.refresh();
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
        if (!SET_INIT())
            return;
        if (m_cast.racket)
            m_cast.racket->ReINIT();
    }
}

bool RallyLoop::SET_INIT()
{
    if (m_rally.stopRequest) {
        m_rally.stopRequest = false;
        m_sound.PLAY_102();
        m_hooks.showInterrupt();
        m_platform.processEvents();
        if (m_platform.ending())
            return false;
        if (m_rally.stopRequest) { // "return to play"
            m_rally.stopRequest = false;
            return true;
        }
        fullReset();
        return false;
    }
    if (m_rally.pointDecided) {
        m_rally.pointDecided = false;
        switch (m_rally.outSide) {
        case 1: // past the computer: the player won the point
            if (!m_hooks.pointAward())
                return false; // a new champion; the celebration ends the program
            if (m_cast.ball) {
                m_cast.ball->setX(141);
                m_cast.ball->setY(93);
            }
            if (m_cast.com) {
                m_cast.com->setX(141);
                m_cast.com->setY(68);
                m_cast.com->SET_ASP();
            }
            m_rally.ballInPlay = false;
            m_rally.comServeWait = true;
            m_rally.comServing = false;
            break;
        case 2: // past the player: the computer won the point
            if (!m_hooks.pointAward()) {
                fullReset();
                return false;
            }
            if (m_cast.ball) {
                m_cast.ball->setX(141);
                m_cast.ball->setY(421);
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
            return false;
        if (m_cast.ball) {
            m_cast.ball->setFactorX(0);
            m_cast.ball->setFactorY(0);
        }
        m_rally.outSide = 0;
        m_rally.rallyHits = 0;
        return true;
    }
    fullReset();
    return false;
}

void RallyLoop::showBareCourt()
{
    m_picB.clear();
    m_picP.picture().bitBlt(0, 0, RallyState::courtWidth, RallyState::courtHeight, m_picB, 0, 0,
                            RasterOp::SrcCopy);
    m_picP.refresh();
}

void RallyLoop::fullReset()
{
    showBareCourt();
    m_hooks.RESET_BOARD();
    m_match.comSets = 0;
    m_match.userSets = 0;
    m_rally.level = 0;
    m_match.setNumber = 0;
    m_rally.outSide = 0;
    m_rally.rallyHits = 0;
    m_match.playerName.clear();
    m_rally.ballInPlay = false;
    m_rally.comServeWait = false;
    m_rally.comActive = false;
    m_rally.comServing = false;
    m_rally.userServeWait = false;
    m_rally.pointDecided = false;
    m_rally.swingActive = false;
    m_rally.ballToCom = false;
    m_rally.loopBreak = false;
    m_hooks.CUR_NORMAL();
}

} // namespace moka
