// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecordingDevice.h"
#include "StubBall.h"
#include "VirtualPlatform.h"

#include "platform/Picture.h"
#include "rally/Ball.h"
#include "rally/CourtPointer.h"
#include "rally/CourtPresenter.h"
#include "rally/Opponent.h"
#include "rally/Racket.h"
#include "rally/RallyHooks.h"
#include "rally/RallyLoop.h"
#include "sound/SoundModule.h"
#include "state/RallyState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace moka;

namespace {

using Log = std::vector<std::string>;
using GameEnd = RallyLoop::GameEnd;
const std::optional<GameEnd> kPlayOn; // SET_INIT: play goes on

struct StubRacket : Racket
{
    explicit StubRacket(Log &log)
        : log(log)
    {
    }
    void Task() override { log.push_back("racket"); }
    void ReINIT() override { log.push_back("reinit"); }
    Log &log;
};

struct StubCom : Opponent
{
    explicit StubCom(Log &log)
        : log(log)
    {
    }
    void Task() override { log.push_back("com"); }
    void setX(std::int32_t v) override { x = v; }
    void setY(std::int32_t v) override { y = v; }
    void SET_ASP() override { log.push_back("asp"); }
    Log &log;
    std::int32_t x = 200, y = 150;
};

struct StubHooks : RallyHooks
{
    explicit StubHooks(Log &log)
        : log(log)
    {
    }
    bool pointAward() override
    {
        log.push_back("award");
        if (onAward)
            onAward();
        return awardResult;
    }
    bool resumeAfterInterrupt() override
    {
        log.push_back("cut");
        return onCut && onCut();
    }
    Log &log;
    bool awardResult = true;
    std::function<void()> onAward;
    std::function<bool()> onCut; // true: "return to play"; none: discard
};

struct StubPointer : CourtPointer
{
    explicit StubPointer(Log &log)
        : log(log)
    {
    }
    void CUR_NORMAL() override { log.push_back("curNormal"); }
    void CUR_RACKET() override { log.push_back("curRacket"); }
    void CUR_SWING() override { log.push_back("curSwing"); }
    Log &log;
};

// The visible court: the presented court copied into a picture of its own.
struct ShownCourt : CourtPresenter
{
    void present(const Picture &court) override
    {
        shown.bitBlt(0, 0, RallyState::courtWidth, RallyState::courtHeight, court, 0, 0, RasterOp::SrcCopy);
    }
    Picture &picture() { return shown; }
    Picture shown;
};

class RallyLoopTest : public ::testing::Test
{
protected:
    RallyLoopTest()
        : sound(platform, std::make_unique<RecordingDevice>())
        , racket(log)
        , com(log)
        , hooks(log)
        , pointer(log)
        , loop(platform, rally, sound, hooks, picB, picP, pointer)
    {
        device = static_cast<RecordingDevice *>(&sound.device());
        sound.SOUND_INIT();
        ball.log = &log;
        ball.x = 50;
        ball.y = 60;
        ball.fx = 8;
        ball.fy = -16;
        picB.reset(RallyState::courtWidth, RallyState::courtHeight, qRgb(173, 115, 66));
        picP.picture().reset(RallyState::courtWidth, RallyState::courtHeight, qRgb(0, 128, 0));
        loop.setCast({&ball, &racket, &com});
    }

    int count(const std::string &what) const
    {
        return static_cast<int>(std::count(log.begin(), log.end(), what));
    }

    VirtualPlatform platform;
    RallyState rally;
    SoundModule sound;
    RecordingDevice *device = nullptr;
    Log log;
    StubBall ball;
    StubRacket racket;
    StubCom com;
    StubHooks hooks;
    StubPointer pointer;
    Picture picB;
    ShownCourt picP;
    RallyLoop loop;
};

} // namespace

TEST(FramePeriod, FollowsTheLevelTable)
{
    const int expected[] = {120, 120, 110, 100, 100, 90, 80, 80, 70, 60};
    for (int level = 0; level <= 9; ++level)
        EXPECT_EQ(RallyLoop::framePeriod(level), expected[level]) << "level " << level;
    // Levels an edited ranking file might bring play at the slowest pace.
    EXPECT_EQ(RallyLoop::framePeriod(10), 120);
    EXPECT_EQ(RallyLoop::framePeriod(-1), 120);
}

TEST_F(RallyLoopTest, EachFrameClearsDrawsInOrderAndCopiesOnce)
{
    rally.level = 9;
    rally.swingActive = true;
    rally.comActive = true;
    int frames = 0;
    std::vector<std::int64_t> frameStarts;
    // The ball checks the back buffer was cleared, then marks it at a spot
    // that moves every frame.
    ball.onTask = [&] {
        frameStarts.push_back(platform.now());
        EXPECT_EQ(picB.image(), picB.background()) << "back buffer not cleared in frame " << frames;
        picB.fillRect(QRect(frames, 0, 1, 1), qRgb(255, 255, 255));
    };
    platform.onEvents = [&] {
        // By the time events run, the finished frame is on the visible court.
        EXPECT_EQ(picP.picture().image(), picB.image());
        if (++frames == 5)
            rally.loopBreak = true;
    };
    hooks.awardResult = false;
    loop.MAIN_LOOP();

    EXPECT_EQ(frames, 5 + 1); // one more pass before the set-up between points
    const Log perFrame = {"racket", "ball", "com"};
    for (int f = 0; f < 5; ++f)
        EXPECT_EQ(Log(log.begin() + 3 * f, log.begin() + 3 * f + 3), perFrame) << "frame " << f;
    ASSERT_EQ(frameStarts.size(), 5u);
    for (size_t i = 1; i < frameStarts.size(); ++i)
        EXPECT_EQ(frameStarts[i] - frameStarts[i - 1], 60);
    EXPECT_FALSE(rally.loopBreak);
}

TEST_F(RallyLoopTest, SkipsRacketWithoutSwingAndComputerInPractice)
{
    rally.swingActive = false;
    rally.comActive = false;
    platform.onEvents = [&] { rally.loopBreak = true; };
    loop.MAIN_LOOP();
    EXPECT_EQ(count("racket"), 0);
    EXPECT_EQ(count("com"), 0);
    EXPECT_EQ(count("ball"), 1);
}

TEST_F(RallyLoopTest, LateFrameIsNotMadeUpButStillHandlesEvents)
{
    rally.level = 1; // 120 ms
    std::vector<std::int64_t> starts;
    int passes = 0;
    ball.onTask = [&] {
        starts.push_back(platform.now());
        if (starts.size() == 2)
            platform.virtualClock().advance(300); // this frame overruns badly
    };
    platform.onEvents = [&] {
        if (++passes == 4)
            rally.loopBreak = true;
    };
    loop.MAIN_LOOP();
    ASSERT_GE(starts.size(), 4u);
    EXPECT_EQ(starts[1] - starts[0], 120);
    EXPECT_EQ(starts[2] - starts[1], 300); // straight on, no catching up
    EXPECT_EQ(starts[3] - starts[2], 120);
    EXPECT_EQ(platform.waits, 4); // events processed in every frame, the late one too
}

TEST_F(RallyLoopTest, PeriodIsReadAgainOnlyAfterAPoint)
{
    rally.level = 1;
    std::vector<std::int64_t> starts;
    ball.onTask = [&] {
        starts.push_back(platform.now());
        if (starts.size() == 1)
            rally.level = 9; // mid-point change: not yet
        if (starts.size() == 2) {
            rally.pointDecided = true;
            rally.outSide = 1;
            rally.loopBreak = true;
        }
        if (starts.size() == 4)
            rally.loopBreak = true; // nothing decided: the game ends
    };
    loop.MAIN_LOOP();
    ASSERT_EQ(starts.size(), 4u);
    EXPECT_EQ(starts[1] - starts[0], 120);
    EXPECT_EQ(starts[3] - starts[2], 60);
    EXPECT_EQ(count("reinit"), 1); // the racket is reset after the point that goes on
}

TEST_F(RallyLoopTest, RunTimeErrorShowsItsDescriptionAndEndsTheLoop)
{
    ball.onTask = [] { throw std::runtime_error("ball lost its way"); };
    loop.MAIN_LOOP();
    ASSERT_EQ(platform.messages.size(), 1);
    // A Japanese heading, the error's own description on the line below.
    EXPECT_TRUE(platform.messages.front().startsWith(QStringLiteral("トラブル＝")));
    EXPECT_TRUE(platform.messages.front().endsWith(QStringLiteral("\nball lost its way")));
}

TEST_F(RallyLoopTest, EndingTheProgramDuringTheWaitLeavesAtOnce)
{
    platform.onEvents = [&] { platform.endProgram(); };
    EXPECT_EQ(loop.MAIN_LOOP(), GameEnd::Left); // nothing to tear down
    EXPECT_EQ(count("ball"), 1);
    EXPECT_EQ(count("curNormal"), 0); // no set-up between points after the end
    EXPECT_EQ(platform.ends, 1);
}

TEST_F(RallyLoopTest, InterruptResumedLeavesEverythingAsItWas)
{
    rally.stopRequest = true;
    rally.ballInPlay = true;
    rally.swingActive = true;
    rally.level = 7;
    hooks.onCut = [] { return true; }; // "return to play"
    EXPECT_EQ(loop.SET_INIT(), kPlayOn);
    EXPECT_FALSE(rally.stopRequest);
    EXPECT_TRUE(rally.ballInPlay);
    EXPECT_EQ(rally.level, 7);
    EXPECT_EQ(ball.x, 50);
    EXPECT_EQ(ball.fx, 8);
    EXPECT_EQ(count("curNormal"), 0);
    EXPECT_EQ(device->ids(), std::vector<int>{102});
}

// The rally's half of the reset; the match's (sets, round, player) is
// MatchStart.AnAbandonedGameLeavesTheIdleBoardAndNoPlayer.
TEST_F(RallyLoopTest, InterruptAbandonedRunsTheFullReset)
{
    rally = RallyState{};
    rally.stopRequest = true;
    rally.ballInPlay = rally.comServeWait = rally.comActive = rally.comServing = true;
    rally.userServeWait = rally.pointDecided = rally.swingActive = rally.ballToCom = true;
    rally.level = 5;
    rally.outSide = 2;
    rally.rallyHits = 4;
    rally.racketCursor = true;
    picP.picture().fillRect(QRect(0, 0, 281, 513), qRgb(1, 2, 3));

    EXPECT_EQ(loop.SET_INIT(), GameEnd::Over); // the match tears the game down

    EXPECT_EQ(count("cut"), 1);
    EXPECT_EQ(count("curNormal"), 1);
    EXPECT_FALSE(rally.racketCursor);
    EXPECT_FALSE(rally.ballInPlay || rally.comServeWait || rally.comActive || rally.comServing ||
                 rally.userServeWait || rally.pointDecided || rally.swingActive || rally.ballToCom ||
                 rally.loopBreak);
    EXPECT_EQ(rally.outSide, 0);
    EXPECT_EQ(rally.rallyHits, 0);
    EXPECT_EQ(picP.picture().image(), picB.background()); // bare court shows
}

TEST_F(RallyLoopTest, PointForThePlayerSetsUpTheComputersServe)
{
    rally.pointDecided = true;
    rally.outSide = 1;
    rally.rallyHits = 3;
    rally.ballInPlay = true;
    EXPECT_EQ(loop.SET_INIT(), kPlayOn);
    EXPECT_EQ(count("award"), 1);
    EXPECT_EQ((std::pair{ball.x, ball.y}), (std::pair{141, 93}));
    EXPECT_EQ((std::pair{com.x, com.y}), (std::pair{141, 68}));
    EXPECT_EQ(count("asp"), 1);
    EXPECT_FALSE(rally.ballInPlay);
    EXPECT_TRUE(rally.comServeWait);
    EXPECT_FALSE(rally.comServing);
    EXPECT_FALSE(rally.pointDecided);
    EXPECT_EQ(ball.fx, 0);
    EXPECT_EQ(ball.fy, 0);
    EXPECT_EQ(rally.outSide, 0);
    EXPECT_EQ(rally.rallyHits, 0);
}

TEST_F(RallyLoopTest, PointForTheComputerLetsThePlayerServe)
{
    rally.pointDecided = true;
    rally.outSide = 2;
    EXPECT_EQ(loop.SET_INIT(), kPlayOn);
    EXPECT_EQ((std::pair{ball.x, ball.y}), (std::pair{141, 421}));
    EXPECT_EQ((std::pair{com.x, com.y}), (std::pair{200, 150})); // not moved
    EXPECT_EQ(count("asp"), 1);
    EXPECT_TRUE(rally.ballInPlay);
    EXPECT_TRUE(rally.userServeWait);
    EXPECT_FALSE(rally.comServeWait);
    EXPECT_EQ(ball.fx, 0);
    EXPECT_EQ(ball.fy, 0);
}

TEST_F(RallyLoopTest, ChampionEndsWithoutResetButLostMatchResets)
{
    rally.pointDecided = true;
    rally.outSide = 1;
    rally.comActive = true;
    hooks.awardResult = false;
    EXPECT_EQ(loop.SET_INIT(), GameEnd::Left);
    EXPECT_EQ(count("curNormal"), 0);
    EXPECT_TRUE(rally.comActive);

    rally.pointDecided = true;
    rally.outSide = 2;
    EXPECT_EQ(loop.SET_INIT(), GameEnd::Over);
    EXPECT_EQ(count("curNormal"), 1);
    EXPECT_FALSE(rally.comActive);
}

TEST_F(RallyLoopTest, InterruptAskedDuringTheLastPointStaysPendingAfterTheReset)
{
    rally.pointDecided = true;
    rally.outSide = 2;
    hooks.awardResult = false;
    hooks.onAward = [&] { rally.stopRequest = true; }; // clicked during the 600 ms pause
    EXPECT_EQ(loop.SET_INIT(), GameEnd::Over);
    EXPECT_TRUE(rally.stopRequest);
}

TEST_F(RallyLoopTest, UnknownSideIsReportedAndPlayGoesOn)
{
    rally.pointDecided = true;
    rally.outSide = 3;
    rally.rallyHits = 2;
    EXPECT_EQ(loop.SET_INIT(), kPlayOn);
    EXPECT_EQ(platform.messages, QStringList{QStringLiteral("iGET???")});
    EXPECT_EQ(count("award"), 0);
    EXPECT_EQ(ball.fx, 0);
    EXPECT_EQ(rally.outSide, 0);
    EXPECT_EQ(rally.rallyHits, 0);
}

// The round goes back to 0 in the match's tear-down
// (MatchStart.AnAbandonedGameLeavesTheIdleBoardAndNoPlayer).
TEST_F(RallyLoopTest, LoopBreakWithoutCauseResetsAndEnds)
{
    rally.comActive = true;
    rally.level = 4;
    EXPECT_EQ(loop.SET_INIT(), GameEnd::Over);
    EXPECT_EQ(count("curNormal"), 1);
    EXPECT_FALSE(rally.comActive);
}

// 停止 pressed while the last point of a lost match is scored stays pending:
// the next game shows the interrupt when its first point ends, before that
// point is scored; resuming scores it then, abandoning drops that game.
TEST_F(RallyLoopTest, AnInterruptLeftPendingStopsTheNextGameAtItsFirstPoint)
{
    for (const bool resume : {true, false}) {
        SCOPED_TRACE(resume ? "resumed" : "abandoned");
        log.clear();
        rally.pointDecided = true;
        rally.outSide = 2;
        hooks.awardResult = false; // the match is lost
        hooks.onAward = [&] { rally.stopRequest = true; };
        hooks.onCut = nullptr;
        EXPECT_EQ(loop.SET_INIT(), GameEnd::Over);
        EXPECT_EQ(count("cut"), 0);
        EXPECT_TRUE(rally.stopRequest) << "the interrupt no longer carries over";

        // The next game's first point.
        hooks.awardResult = true;
        hooks.onAward = nullptr;
        rally.pointDecided = true;
        rally.outSide = 2;
        if (resume)
            hooks.onCut = [] { return true; };
        EXPECT_EQ(loop.SET_INIT(), resume ? kPlayOn : std::optional{GameEnd::Over});
        EXPECT_EQ(count("cut"), 1);
        EXPECT_EQ(count("award"), 1); // only the lost match's last point so far
        EXPECT_FALSE(rally.stopRequest);
        if (resume) {
            EXPECT_TRUE(rally.pointDecided);
            EXPECT_EQ(loop.SET_INIT(), kPlayOn);
            EXPECT_EQ(count("award"), 2);
            EXPECT_EQ(count("cut"), 1);
        } else {
            EXPECT_FALSE(rally.pointDecided);
        }
    }
}
