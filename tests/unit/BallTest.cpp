// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecordingDevice.h"
#include "VirtualPlatform.h"

#include "platform/Picture.h"
#include "rally/clsBALL.h"
#include "sound/SoundModule.h"
#include "state/RallyState.h"

#include <gtest/gtest.h>

using namespace moka;

namespace {

constexpr QRgb kClay = qRgb(173, 115, 66);
constexpr QRgb kYellow = qRgb(255, 255, 0);

class BallTest : public ::testing::Test
{
protected:
    BallTest()
        : sound(platform, std::make_unique<RecordingDevice>())
        , picB(281, 513, kClay)
        , picBALL(32, 16, qRgb(255, 255, 255))
        , ball(rally, sound, platform, picB, picBALL)
    {
        sound.SOUND_INIT();
        device = static_cast<RecordingDevice *>(&sound.device());
        // A square ball: yellow on black, its mask all black.
        picBALL.fillRect(QRect(0, 0, 16, 16), kYellow);
        picBALL.fillRect(QRect(16, 0, 16, 16), qRgb(0, 0, 0));
        rally.ballInPlay = true;
    }

    void place(int x, int y, int fx, int fy)
    {
        ball.setX(x);
        ball.setY(y);
        ball.setFactorX(fx);
        ball.setFactorY(fy);
    }

    VirtualPlatform platform;
    RallyState rally;
    SoundModule sound;
    RecordingDevice *device = nullptr;
    Picture picB;
    Picture picBALL;
    clsBALL ball;
};

} // namespace

TEST_F(BallTest, WallsBesideTheGoalMouthTurnTheBallButTheMouthLetsItThrough)
{
    rally.comActive = true;
    for (int x : {36, 244}) {
        rally = RallyState{};
        rally.ballInPlay = rally.comActive = true;
        place(x, 12, 0, -8);
        ball.Task();
        EXPECT_EQ(ball.Y(), 20) << "x " << x;
        EXPECT_EQ(ball.FactorY(), 8);
        EXPECT_FALSE(rally.pointDecided);
    }
    for (int x : {37, 243}) {
        rally = RallyState{};
        rally.ballInPlay = rally.comActive = true;
        rally.ballToCom = true;
        platform.virtualClock().advance(1000);
        place(x, 12, 0, -8);
        ball.Task();
        EXPECT_TRUE(rally.pointDecided) << "x " << x;
        EXPECT_EQ(ball.Y(), 4); // keeps its course
        EXPECT_FALSE(rally.ballToCom);
        EXPECT_EQ(device->ids().back(), 105);
    }
    // The same at the player's end, where the ball turns toward the computer.
    rally = RallyState{};
    rally.ballInPlay = rally.comActive = true;
    place(100, 490, 0, 16);
    ball.Task();
    EXPECT_TRUE(rally.pointDecided);
    EXPECT_TRUE(rally.ballToCom);
    place(30, 490, 0, 16);
    rally.pointDecided = false;
    ball.Task();
    EXPECT_EQ(ball.Y(), 474);
    EXPECT_TRUE(rally.ballToCom);
}

TEST_F(BallTest, PracticeBallComesBackFromBothGoalMouths)
{
    rally.comActive = false;
    place(141, 12, 0, -16);
    ball.Task();
    EXPECT_EQ(ball.Y(), 28);
    EXPECT_FALSE(rally.pointDecided);
    EXPECT_FALSE(rally.ballToCom);
    place(141, 490, 0, 16);
    ball.Task();
    EXPECT_EQ(ball.Y(), 474);
    EXPECT_TRUE(rally.ballToCom);
    EXPECT_TRUE(device->starts.empty());
}

TEST_F(BallTest, ReflectsFromWhereItWasNeverReachingTheLine)
{
    place(20, 10, 0, -16);
    ball.Task();
    EXPECT_EQ(ball.Y(), 26);
    EXPECT_EQ(ball.FactorY(), 16);

    // Corner: end wall and side wall in the same frame.
    place(12, 12, -8, -16);
    ball.Task();
    EXPECT_EQ(ball.X(), 20);
    EXPECT_EQ(ball.Y(), 28);
    EXPECT_EQ(ball.FactorX(), 8);

    // Side walls between the ends, speed kept.
    place(270, 200, 12, 16);
    ball.Task();
    EXPECT_EQ(ball.X(), 258);
    EXPECT_EQ(ball.Y(), 216);
    EXPECT_EQ(ball.FactorX(), -12);
    place(273, 200, 0, 16); // exactly on the bound is still inside
    ball.Task();
    EXPECT_EQ(ball.X(), 273);
}

TEST_F(BallTest, DecidedBallFliesOutAndEndsThePointOnceOffTheCourt)
{
    rally.comActive = true;
    rally.pointDecided = true;
    place(100, 8, 20, -8); // no walls any more, sideways neither
    int frames = 0;
    while (!rally.loopBreak && frames < 10) {
        ball.Task();
        ++frames;
    }
    EXPECT_EQ(ball.Y(), -16); // the first frame below -8
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(rally.outSide, 1);

    rally.loopBreak = false;
    rally.outSide = 0;
    place(100, 505, 0, 8);
    ball.Task();
    EXPECT_FALSE(rally.loopBreak); // 513 is still on the court
    ball.Task();
    EXPECT_FALSE(rally.loopBreak); // 521 too
    ball.Task();
    EXPECT_TRUE(rally.loopBreak);
    EXPECT_EQ(rally.outSide, 2);
}

TEST_F(BallTest, HopsInA28FrameRhythmWithSevenLowFrames)
{
    rally.ballInPlay = false;
    rally.comServeWait = true;
    std::vector<int> heights;
    int low = 0;
    for (int f = 0; f < 56; ++f) {
        ball.Task();
        heights.push_back(ball.height());
        low += rally.ballLow ? 1 : 0;
        EXPECT_EQ(ball.X(), 141);
        EXPECT_EQ(ball.Y(), 93); // held on the serve spot
    }
    EXPECT_EQ(low, 14);
    EXPECT_EQ(*std::max_element(heights.begin(), heights.end()), 11);
    EXPECT_EQ(*std::min_element(heights.begin(), heights.end()), -3);
    for (int f = 0; f < 28; ++f)
        EXPECT_EQ(heights[f], heights[f + 28]);
    EXPECT_EQ(heights[10], 11); // climbs 1 … 11
    EXPECT_EQ(heights[24], -3); // falls to -3
}

TEST_F(BallTest, DrawsShadowDownRightByItsHeightThenTheBall)
{
    rally.ballInPlay = false;
    rally.comServeWait = true;
    for (int f = 0; f < 5; ++f) {
        picB.clear();
        ball.Task();
    }
    ASSERT_EQ(ball.height(), 5);
    // Ball square at (133, 85)–(148, 100); shadow square 5 px down and right.
    EXPECT_EQ(picB.pixel(133, 85), kYellow & 0xffffff);
    EXPECT_EQ(picB.pixel(148, 100), kYellow & 0xffffff);
    EXPECT_EQ(picB.pixel(153, 105), 0u);               // shadow only
    EXPECT_EQ(picB.pixel(154, 106), kClay & 0xffffff); // beyond it
    EXPECT_EQ(picB.pixel(132, 85), kClay & 0xffffff);
}

TEST_F(BallTest, ABallNeitherInPlayNorHeldIsReportedAndNotDrawn)
{
    rally.ballInPlay = false;
    rally.comServeWait = false;
    place(50, 50, 4, 4);
    ball.Task();
    EXPECT_EQ(platform.messages, QStringList{QStringLiteral("*~P+")});
    EXPECT_EQ(ball.X(), 50);
    EXPECT_EQ(picB.image(), picB.background());
}
