// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecordingDevice.h"
#include "StubBall.h"
#include "VirtualPlatform.h"

#include "platform/Picture.h"
#include "rally/Ball.h"
#include "rally/clsCOM.h"
#include "sound/SoundModule.h"
#include "state/AppearanceState.h"
#include "state/RallyState.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <vector>

using namespace moka;

namespace {

// The sprites are solid colours with a marker in their leftmost image column
// (so mirroring shows) and a clear rightmost mask column (so the mask row is
// seen to be used): there the court shows through, XORed with the image.
// Colours as Picture::pixel reads them back, without alpha.
QRgb rgb(int r, int g, int b) { return qRgb(r, g, b) & 0xffffff; }
const QRgb court = rgb(0x10, 0x20, 0x30);
const QRgb restColour = rgb(0xc0, 0x40, 0x20);
const QRgb restMarker = rgb(0x20, 0xc0, 0x40);
QRgb frameColour(int n) { return rgb(0x40 + 0x30 * n, 0x80, 0x05); }
QRgb frameMarker(int n) { return rgb(0x05, 0x40 + 0x30 * n, 0xf0); }
QRgb onCourt(QRgb c) { return court ^ c; }

class ComTest : public ::testing::Test
{
protected:
    ComTest()
        : sound(platform, std::make_unique<RecordingDevice>())
        , picB(RallyState::courtWidth, RallyState::courtHeight, court)
        , picCOM(32, 64, qRgb(0, 0, 0))
        , picCOMsh(256, 96, qRgb(0, 0, 0))
    {
        sound.SOUND_INIT();
        device = static_cast<RecordingDevice *>(&sound.device());
        picCOM.fillRect(QRect(0, 0, 32, 32), restColour);
        picCOM.fillRect(QRect(0, 0, 1, 32), restMarker);
        picCOM.fillRect(QRect(31, 32, 1, 32), qRgb(255, 255, 255));
        for (int n = 0; n < 4; ++n) {
            picCOMsh.fillRect(QRect(64 * n, 0, 64, 48), frameColour(n));
            picCOMsh.fillRect(QRect(64 * n, 0, 1, 48), frameMarker(n));
            picCOMsh.fillRect(QRect(64 * n + 63, 48, 1, 48), qRgb(255, 255, 255));
        }
        appearance.racketColor = 1;
        appearance.courtColor = 0;
        rally.level = 1;
        com = std::make_unique<clsCOM>(rally, appearance, ball, sound, picB, picCOM, picCOMsh);
    }

    // A fresh frame: bare court, and time for any sound to have ended.
    void frame()
    {
        picB.clear();
        platform.virtualClock().advance(1000);
        com->Task();
    }

    // Puts the computer at (x, y) and the ball dx, dy from it, coming its way.
    void place(std::int32_t x, std::int32_t y, std::int32_t dx, std::int32_t dy)
    {
        com->setX(x);
        com->setY(y);
        ball.x = x + dx;
        ball.y = y + dy;
        rally.ballInPlay = true;
        rally.ballToCom = true;
    }

    int changedPixels() const
    {
        int n = 0;
        for (int y = 0; y < picB.height(); ++y)
            for (int x = 0; x < picB.width(); ++x)
                n += picB.image().pixel(x, y) != picB.background().pixel(x, y);
        return n;
    }

    // Only the resting racket shows, its top-left at (left, top).
    void expectResting(int left, int top)
    {
        SCOPED_TRACE(testing::Message() << "resting racket at " << left << "," << top);
        for (int y : {top, top + 31}) {
            EXPECT_EQ(picB.pixel(left, y), restMarker);
            EXPECT_EQ(picB.pixel(left + 1, y), restColour);
            EXPECT_EQ(picB.pixel(left + 31, y), onCourt(restColour));
        }
        EXPECT_EQ(picB.pixel(left + 1, top + 32), court);
        EXPECT_EQ(picB.pixel(left + 1, top - 1), court);
        EXPECT_EQ(changedPixels(), 32 * 32);
    }

    // Only animation frame n shows, spanning x from left to left + 63.
    void expectFrame(int n, int left, int top, bool mirrored)
    {
        SCOPED_TRACE(testing::Message()
                     << "frame " << n << " at " << left << "," << top << (mirrored ? " mirrored" : ""));
        const int markerX = mirrored ? left + 63 : left;
        const int clearX = mirrored ? left : left + 63;
        for (int y : {top, top + 47}) {
            EXPECT_EQ(picB.pixel(markerX, y), frameMarker(n));
            EXPECT_EQ(picB.pixel(left + 30, y), frameColour(n));
            EXPECT_EQ(picB.pixel(clearX, y), onCourt(frameColour(n)));
        }
        EXPECT_EQ(picB.pixel(left + 30, top - 1), court);
        EXPECT_EQ(picB.pixel(left + 30, top + 48), court);
        EXPECT_EQ(changedPixels(), 64 * 48);
    }

    VirtualPlatform platform;
    RallyState rally;
    AppearanceState appearance;
    StubBall ball;
    SoundModule sound;
    RecordingDevice *device = nullptr;
    Picture picB;
    Picture picCOM;
    Picture picCOMsh;
    std::unique_ptr<clsCOM> com;
};

} // namespace

TEST_F(ComTest, SpeedsAndReachFollowTheColours)
{
    struct Row
    {
        std::int32_t court, racket, speedX, speedY, reach;
    };
    const Row rows[] = {
        {0, -5, 16, 6, 18},  {0, 0, 16, 6, 18},  {0, 1, 16, 6, 18},  {0, 2, 17, 7, 19},  {0, 3, 18, 8, 20},
        {0, 9, 18, 8, 20},   {1, 4, 19, 8, 21},  {1, 5, 20, 9, 22},  {1, 6, 21, 10, 23}, {1, 1, 21, 10, 23},
        {2, 7, 22, 10, 24},  {2, 8, 23, 11, 25}, {2, 9, 24, 12, 26}, {2, 2, 24, 12, 26}, {3, 7, 22, 10, 24},
        {-1, 8, 23, 11, 25}, {5, 0, 24, 12, 26},
    };
    for (const Row &r : rows) {
        appearance.courtColor = r.court;
        appearance.racketColor = r.racket;
        com->SET_ASP();
        SCOPED_TRACE(testing::Message() << "court " << r.court << " racket " << r.racket);
        EXPECT_EQ(com->speedX(), r.speedX);
        EXPECT_EQ(com->speedY(), r.speedY);
        EXPECT_EQ(com->reach(), r.reach);
    }
    // Creation sets the serve spot and applies the colours of the moment.
    EXPECT_EQ(com->x(), 141);
    EXPECT_EQ(com->y(), 68);
    appearance.courtColor = 2;
    appearance.racketColor = 9;
    clsCOM fresh(rally, appearance, ball, sound, picB, picCOM, picCOMsh);
    EXPECT_EQ(fresh.speedX(), 24);
    EXPECT_EQ(fresh.speedY(), 12);
    EXPECT_EQ(fresh.reach(), 26);
}

TEST_F(ComTest, ChasesAndSwingsWithinReachAndZone)
{
    // The computer at (100, 100) with speeds 16/6 and reach 18; dx, dy are
    // the ball's offset from it.
    struct Case
    {
        std::int32_t dx, dy, level;
        bool low, decided;
        std::int32_t x, y;
        bool swings;
    };
    const Case cases[] = {
        {60, 80, 1, false, false, 116, 106, false},  {-60, -80, 1, false, false, 84, 94, false},
        {60, 0, 1, false, false, 116, 94, false},   // level with it: up, away from the ball
        {18, 10, 1, false, false, 100, 106, false}, // exactly reach aside: no move, no swing
        {-18, 10, 1, false, false, 100, 106, false}, {19, 10, 1, false, false, 116, 106, false},
        {-19, 10, 1, false, false, 84, 106, false},  {17, 10, 1, false, false, 100, 106, true},
        {-17, 10, 1, false, false, 100, 106, true},  {0, -16, 1, false, false, 100, 94, false},
        {0, -15, 1, false, false, 100, 94, true},    {0, 0, 1, false, false, 100, 94, true},
        {0, 43, 1, false, false, 100, 106, true},    {0, 44, 1, false, false, 100, 106, false},
        {0, 10, 7, true, false, 100, 74, false}, // rank A steps back from a low ball
        {0, 10, 8, true, false, 100, 74, false},     {0, 10, 9, true, false, 100, 74, false},
        {0, 10, 6, true, false, 100, 106, true},     {0, 10, 7, false, false, 100, 106, true},
        {0, 10, 1, false, true, 100, 106, false}, // a decided ball starts no swing
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "dx " << c.dx << " dy " << c.dy << " level " << c.level);
        com->ReINIT();
        rally.level = c.level;
        rally.ballLow = c.low;
        rally.pointDecided = c.decided;
        place(100, 100, c.dx, c.dy);
        frame();
        EXPECT_EQ(com->x(), c.x);
        EXPECT_EQ(com->y(), c.y);
        EXPECT_EQ(com->swinging(), c.swings);
        EXPECT_EQ(rally.ballToCom, !c.swings);
        EXPECT_EQ(rally.rallyHits, 0);
    }
    // The reach follows the colours: with the level 9 ones, 25 aside swings.
    com->ReINIT();
    appearance.courtColor = 2;
    appearance.racketColor = 9;
    com->SET_ASP();
    rally.pointDecided = false;
    place(100, 100, 25, 10);
    frame();
    EXPECT_TRUE(com->swinging());
}

TEST_F(ComTest, ClampsOneBoundPerFrameAndThenMakesNoZoneTest)
{
    // Ball in the zone each time, but the move takes the racket past a bound.
    place(100, 22, 0, 0); // up 6 to 16
    frame();
    EXPECT_EQ(com->y(), 20);
    EXPECT_FALSE(com->swinging());
    EXPECT_TRUE(rally.ballToCom);
    place(100, 226, 0, 4); // down 6 to 232
    frame();
    EXPECT_EQ(com->y(), 228);
    EXPECT_FALSE(com->swinging());
    ball.y = 224; // within bounds after the move: swings
    frame();
    EXPECT_EQ(com->y(), 222);
    EXPECT_TRUE(com->swinging());

    com->ReINIT();
    place(260, 100, 40, 50);
    frame();
    EXPECT_EQ(com->x(), 269);
    // Out on x and y at once: only x is brought back this frame.
    place(20, 22, -40, 0);
    frame();
    EXPECT_EQ(com->x(), 16);
    EXPECT_EQ(com->y(), 16);
    ball.x = 16;
    ball.y = 16;
    frame();
    EXPECT_EQ(com->y(), 20);
    EXPECT_FALSE(com->swinging());
}

TEST_F(ComTest, ReturnCoursesFromBothHalves)
{
    struct Case
    {
        std::int32_t d, rightFX, rightFY, leftFX, leftFY;
    };
    const Case cases[] = {
        {-40, 0, 24, 16, 12}, {-13, 0, 24, 16, 12}, {-12, -4, 20, 12, 16}, {-9, -4, 20, 12, 16},
        {-8, -8, 16, 8, 16},  {-5, -8, 16, 8, 16},  {-4, -8, 16, 8, 16},   {0, -8, 16, 8, 16},
        {8, -8, 16, 8, 16},   {9, -12, 16, 4, 20},  {12, -12, 16, 4, 20},  {13, -16, 12, 0, 24},
        {40, -16, 12, 0, 24},
    };
    // 142 is the first column right of centre, 141 the last at or left of it.
    for (std::int32_t x : {200, 142, 141, 60}) {
        const bool right = x > 141;
        for (const Case &c : cases) {
            SCOPED_TRACE(testing::Message() << "x " << x << " d " << c.d);
            com->ReINIT();
            rally.rallyHits = 3;
            place(x, 100, 0, 20);
            frame();
            ASSERT_TRUE(com->swinging());
            // The ball moves on before the return; wherever it went, even out
            // of the zone, only its x against the racket's counts.
            ball.x = x + c.d;
            ball.y = 300;
            device->starts.clear();
            frame();
            EXPECT_EQ(ball.fx, right ? c.rightFX : c.leftFX);
            EXPECT_EQ(ball.fy, right ? c.rightFY : c.leftFY);
            EXPECT_EQ(ball.y, 328);
            EXPECT_EQ(rally.rallyHits, 4);
            EXPECT_EQ(com->faceLeft(), right);
            EXPECT_EQ(device->ids(), std::vector<int>{103});
        }
    }
}

TEST_F(ComTest, SwingReturnsOnceInItsSecondFrameEvenForDecidedBall)
{
    place(100, 100, 5, 10);
    frame(); // frame 0: the swing starts, the ball is not touched yet
    EXPECT_TRUE(com->swinging());
    EXPECT_EQ(com->frameNumber(), 1);
    EXPECT_EQ(ball.fx, 0);
    EXPECT_EQ(rally.rallyHits, 0);
    EXPECT_TRUE(device->starts.empty());

    // Between the frames the ball crossed the end line in the goal mouth.
    rally.pointDecided = true;
    ball.y = 2;
    frame();
    EXPECT_EQ(ball.fx, 8);
    EXPECT_EQ(ball.fy, 16);
    EXPECT_EQ(ball.y, 30);
    EXPECT_EQ(rally.rallyHits, 1);
    EXPECT_TRUE(rally.pointDecided);

    // Frames 2 and 3 neither return again nor move the racket.
    const std::int32_t x = com->x(), y = com->y();
    ball.x = 250;
    ball.y = 400;
    frame();
    EXPECT_TRUE(com->swinging());
    frame();
    EXPECT_FALSE(com->swinging());
    EXPECT_EQ(com->frameNumber(), 0);
    EXPECT_EQ(ball.fx, 8);
    EXPECT_EQ(ball.y, 400);
    EXPECT_EQ(rally.rallyHits, 1);
    EXPECT_EQ(device->ids(), std::vector<int>{103});
    EXPECT_EQ(com->x(), x);
    EXPECT_EQ(com->y(), y);
    expectFrame(3, x - 16, y - 12, true); // the last frame is still the swing's
}

TEST_F(ComTest, DriftsHomeOnlyUpAndLeft)
{
    rally.ballInPlay = true;
    rally.ballToCom = false;
    com->setX(200);
    com->setY(150);
    frame();
    EXPECT_EQ(com->x(), 184);
    EXPECT_EQ(com->y(), 144);
    // It may pass home going left or up, and then stays.
    com->setX(150);
    com->setY(90);
    frame();
    EXPECT_EQ(com->x(), 134);
    EXPECT_EQ(com->y(), 84);
    frame();
    EXPECT_EQ(com->x(), 134);
    EXPECT_EQ(com->y(), 84);
    // Left of and above home it never comes back right or down.
    com->setX(30);
    com->setY(25);
    frame();
    EXPECT_EQ(com->x(), 30);
    EXPECT_EQ(com->y(), 25);
    // Without a ball in play it keeps still.
    rally.ballInPlay = false;
    com->setX(200);
    com->setY(150);
    frame();
    EXPECT_EQ(com->x(), 200);
    EXPECT_EQ(com->y(), 150);
    expectResting(184, 138);
}

TEST_F(ComTest, ServeAnimationPlaysFourFramesInPlace)
{
    com->setX(141);
    com->setY(68);
    rally.comServing = true;
    rally.userServeWait = true; // the serve comes first
    rally.ballToCom = true;
    ball.x = 141;
    ball.y = 93;
    for (int n = 0; n < 4; ++n) {
        EXPECT_TRUE(rally.comServing) << n;
        frame();
        expectFrame(n, 93, 56, false);
        EXPECT_EQ(device->ids().size(), 1u) << n;
    }
    EXPECT_EQ(device->ids(), std::vector<int>{103});
    EXPECT_FALSE(rally.comServing);
    EXPECT_EQ(com->frameNumber(), 0);
    EXPECT_EQ(com->x(), 141);
    EXPECT_EQ(com->y(), 68);
    EXPECT_FALSE(com->swinging());
    EXPECT_EQ(rally.rallyHits, 0);
}

TEST_F(ComTest, WaitsAtRestForThePlayersServe)
{
    rally.userServeWait = true;
    rally.ballInPlay = true;
    rally.ballToCom = true;
    com->setX(30);
    com->setY(200);
    ball.x = 30;
    ball.y = 205;
    frame();
    EXPECT_EQ(com->x(), 141);
    EXPECT_EQ(com->y(), 88);
    EXPECT_FALSE(com->swinging());
    expectResting(125, 76);
}

TEST_F(ComTest, SwingFramesFaceTheLastReturn)
{
    // Never returned yet: frame 0 is mirrored, spanning X − 16 to X + 47.
    place(200, 100, 0, 10);
    frame();
    expectFrame(0, 184, 94, true);
    // The return from the right half turns it: frames 1–3 unmirrored.
    frame();
    expectFrame(1, 152, 94, false);
    frame();
    expectFrame(2, 152, 94, false);
    frame();
    expectFrame(3, 152, 94, false);

    // The next swing starts with that facing; a return from the left half
    // mirrors it again from frame 1 on.
    place(100, 100, 0, 10);
    frame();
    expectFrame(0, 52, 94, false);
    frame();
    expectFrame(1, 84, 94, true);
    EXPECT_FALSE(com->faceLeft());
}

TEST_F(ComTest, DrawsRestingRacketAndClipsAtTheCourtEdge)
{
    rally.ballInPlay = false;
    com->setX(60);
    com->setY(70);
    frame();
    expectResting(44, 58);
    // Set far outside the court the racket is simply not seen.
    com->setX(std::numeric_limits<std::int32_t>::min());
    com->setY(std::numeric_limits<std::int32_t>::max());
    frame();
    EXPECT_EQ(changedPixels(), 0);
}
