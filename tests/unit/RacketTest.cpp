// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecordingDevice.h"
#include "StubBall.h"
#include "VirtualPlatform.h"

#include "platform/Picture.h"
#include "rally/Ball.h"
#include "rally/CourtPointer.h"
#include "rally/clsRKT.h"
#include "sound/SoundModule.h"
#include "state/RallyState.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace moka;

namespace {

struct PointerLog : CourtPointer
{
    void CUR_NORMAL() override { calls.push_back("normal"); }
    void CUR_RACKET() override { calls.push_back("racket"); }
    void CUR_SWING() override { calls.push_back("swing"); }
    std::vector<std::string> calls;
};

class RacketTest : public ::testing::Test
{
protected:
    RacketTest()
        : sound(platform, std::make_unique<RecordingDevice>())
        , picB(281, 513, qRgb(255, 255, 255))
        , picROLL(256, 48, qRgb(255, 255, 255))
        , racket(rally, ball, sound, picB, picROLL, pointer)
    {
        ball.fy = 25; // coming down
        sound.SOUND_INIT();
        device = static_cast<RecordingDevice *>(&sound.device());
        // Frame n of the swing sheet: one black column at x 64n + n, so the
        // frame and its mirroring can be read off the back buffer.
        for (int n = 0; n < 4; ++n)
            picROLL.fillRect(QRect(64 * n + n, 0, 1, 48), qRgb(0, 0, 0));
    }

    // A click at (cx, cy) with the ball at (bx, by), then the swing's first frame.
    bool swingAt(int cx, int cy, int bx, int by, int button = 1)
    {
        platform.virtualClock().advance(1000); // let any earlier sound finish
        device->starts.clear();
        ball.x = bx;
        ball.y = by;
        rally.clickX = cx;
        rally.clickY = cy;
        rally.clickButton = button;
        rally.swingActive = true;
        racket.ReINIT();
        rally.swingActive = true;
        const int hitsBefore = rally.rallyHits;
        racket.Task();
        const bool hit = rally.rallyHits == hitsBefore + 1;
        EXPECT_EQ(device->ids(), std::vector<int>{hit ? 103 : 104});
        return hit;
    }

    // The column of the back buffer where the swing frame's marker landed.
    int markerColumn(int y)
    {
        for (int x = 0; x < picB.width(); ++x)
            if (picB.pixel(x, y) == 0)
                return x;
        return -1;
    }

    VirtualPlatform platform;
    RallyState rally;
    SoundModule sound;
    RecordingDevice *device = nullptr;
    StubBall ball;
    PointerLog pointer;
    Picture picB;
    Picture picROLL;
    clsRKT racket;
};

} // namespace

TEST_F(RacketTest, HitWindowIsOpenOnBothSidesOfItsEdges)
{
    EXPECT_TRUE(swingAt(100, 400, 100, 400));
    EXPECT_TRUE(swingAt(100, 400, 119, 400));
    EXPECT_FALSE(swingAt(100, 400, 120, 400)); // exactly 20 to the right
    EXPECT_TRUE(swingAt(100, 400, 81, 400));
    EXPECT_FALSE(swingAt(100, 400, 80, 400)); // exactly 20 to the left
    EXPECT_TRUE(swingAt(100, 400, 100, 357));
    EXPECT_FALSE(swingAt(100, 400, 100, 356)); // exactly 44 above
    EXPECT_TRUE(swingAt(100, 400, 100, 415));
    EXPECT_FALSE(swingAt(100, 400, 100, 416)); // exactly 16 below
}

TEST_F(RacketTest, CourseFollowsBothButtonTablesAtEveryBoundary)
{
    struct Row
    {
        int d;
        int leftX, leftY, rightX, rightY;
    };
    const Row rows[] = {
        {-13, -16, -12, 0, -24}, {-12, -12, -16, 4, -20}, {-9, -12, -16, 4, -20},  {-8, -8, -16, 8, -16},
        {-5, -8, -16, 8, -16},   {-4, -8, -16, 8, -16},   {8, -8, -16, 8, -16},    {9, -4, -20, 12, -16},
        {12, -4, -20, 12, -16},  {13, 0, -24, 16, -12},   {-19, -16, -12, 0, -24}, {19, 0, -24, 16, -12},
    };
    for (const Row &r : rows) {
        ASSERT_TRUE(swingAt(100, 400, 100 + r.d, 400, 1));
        EXPECT_EQ(ball.fx, r.leftX) << "left, d " << r.d;
        EXPECT_EQ(ball.fy, r.leftY) << "left, d " << r.d;
        ASSERT_TRUE(swingAt(100, 400, 100 + r.d, 400, 2));
        EXPECT_EQ(ball.fx, r.rightX) << "right, d " << r.d;
        EXPECT_EQ(ball.fy, r.rightY) << "right, d " << r.d;
    }
}

TEST_F(RacketTest, AHitLiftsTheBall28PixelsAndSendsItToTheComputer)
{
    rally.ballToCom = false;
    ASSERT_TRUE(swingAt(100, 400, 104, 390));
    EXPECT_EQ(ball.y, 362);
    EXPECT_EQ(ball.x, 104);
    EXPECT_TRUE(rally.ballToCom);
    EXPECT_EQ(rally.rallyHits, 1);
}

TEST_F(RacketTest, FromRankALowBallsCannotBeHitAndDecidedBallsNever)
{
    rally.ballLow = true;
    rally.level = 6;
    EXPECT_TRUE(swingAt(100, 400, 100, 400));
    rally.level = 7;
    EXPECT_FALSE(swingAt(100, 400, 100, 400));
    rally.ballLow = false;
    EXPECT_TRUE(swingAt(100, 400, 100, 400));
    rally.pointDecided = true;
    rally.level = 1;
    EXPECT_FALSE(swingAt(100, 400, 100, 400));
}

TEST_F(RacketTest, MiddleButtonSwingsAtTheAirAndDrawsNothing)
{
    EXPECT_FALSE(swingAt(100, 400, 100, 400, 4));
    for (int f = 0; f < 4; ++f)
        racket.Task();
    EXPECT_EQ(picB.image(), picB.background());
    EXPECT_FALSE(rally.swingActive);
}

TEST_F(RacketTest, SwingDrawsFourFramesMirroredForTheRightButtonThenEnds)
{
    for (int button : {1, 2}) {
        pointer.calls.clear();
        swingAt(100, 400, 0, 0, button); // a miss: the drawing is the same
        std::vector<int> columns;
        for (int f = 0; f < 4; ++f) {
            if (f > 0)
                racket.Task();
            columns.push_back(markerColumn(400 - 36));
            picB.clear();
            EXPECT_TRUE(rally.swingActive);
        }
        racket.Task(); // the fifth frame only ends the swing
        EXPECT_FALSE(rally.swingActive);
        EXPECT_EQ(picB.image(), picB.background());
        for (int n = 0; n < 4; ++n) {
            // Left: the frame spans x 52–115 as drawn; right: x 84–147, mirrored.
            const int expected = button == 1 ? 100 - 48 + n : 100 + 48 - 1 - n;
            EXPECT_EQ(columns[static_cast<size_t>(n)], expected) << "button " << button << ", frame " << n;
        }
        EXPECT_EQ(pointer.calls, (std::vector<std::string>{"racket", "swing", "racket"}));
    }
}

TEST_F(RacketTest, ASecondClickMovesTheSwingButGivesNoSecondHitTest)
{
    ASSERT_FALSE(swingAt(100, 400, 200, 200));
    device->starts.clear();
    ball.x = 150;
    ball.y = 300;
    rally.clickX = 150; // clicked again, right on the ball
    rally.clickY = 300;
    racket.Task();
    EXPECT_TRUE(device->starts.empty());
    EXPECT_EQ(rally.rallyHits, 0);
    EXPECT_EQ(markerColumn(300 - 36), 150 - 48 + 1); // frame 1 at the new spot
}
