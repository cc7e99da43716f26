// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestGame.h"

#include "app/frmMAIN.h"
#include "look/Looks.h"
#include "look/PictureBox.h"
#include "match/CourtArt.h"
#include "rally/Ball.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace moka;

namespace {

void clickLabel(QLabel *label) { QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center()); }

} // namespace

TEST(Practice, RankLabelsChooseLevelAndCourt)
{
    TestGame game;
    game.start(false);
    frmMAIN *m = game.app->mainWindow();
    const QImage clay = m->flow().art().picB.image();
    const struct
    {
        int index, level, court;
    } ranks[] = {{2, 8, 2}, {1, 5, 1}, {0, 2, 0}};
    for (const auto &r : ranks) {
        clickLabel(m->lblRNK[static_cast<size_t>(r.index)]);
        EXPECT_FALSE(game.app->splashLoaded);
        EXPECT_EQ(game.app->rally.level, r.level);
        EXPECT_EQ(game.app->appearance.courtColor, r.court);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Looks::labelBackground(m->lblRNK[static_cast<size_t>(i)]),
                      i == r.index ? QColor(0, 255, 0) : QColor(0, 128, 128));
        EXPECT_EQ(m->picP->picture().image(), m->flow().art().picB.image()); // shown at once
        EXPECT_EQ(m->flow().art().picB.image() == clay, r.court == 0);
    }
}

TEST(Practice, PointerIsARacketOnlyOverTheLowerCourt)
{
    TestGame game;
    game.start();
    frmMAIN *m = game.app->mainWindow();
    RallyState &rally = game.app->rally;
    struct Spot
    {
        double x, y;
        bool racket;
    };
    const Spot spots[] = {{8, 268, true},      {273, 500, true},    {7.5, 300, false}, {273.5, 300, false},
                          {100, 267.5, false}, {100, 500.5, false}, {140, 400, true}};
    for (const Spot &s : spots) {
        m->picP_MouseMove(0, 0, s.x, s.y);
        EXPECT_EQ(rally.racketCursor, s.racket) << s.x << "," << s.y;
        m->picP_MouseDown(1, 0, s.x, s.y);
        EXPECT_EQ(rally.swingActive, s.racket) << s.x << "," << s.y;
        rally.swingActive = false;
    }
    // Clicks are rounded to the nearest pixel, halves to even.
    m->picP_MouseMove(0, 0, 140, 400);
    m->picP_MouseDown(2, 0, 140.5, 401.5);
    EXPECT_EQ(rally.clickX, 140);
    EXPECT_EQ(rally.clickY, 402);
    EXPECT_EQ(rally.clickButton, 2);
}

TEST(Practice, ClickServesTheWaitingBallInsteadOfSwinging)
{
    TestGame game;
    game.start();
    frmMAIN *m = game.app->mainWindow();
    RallyState &rally = game.app->rally;
    std::int32_t firstX = -1, firstY = -1, serveFactorY = 0;
    int frames = 0;
    game.platform.onEvents = [&] {
        Ball *ball = m->loop().cast().ball;
        if (!ball)
            return;
        ++frames;
        if (frames == 1) {
            firstX = ball->X();
            firstY = ball->Y();
            m->picP_MouseMove(0, 0, 140, 400); // the racket pointer is up
            m->picP_MouseDown(1, 0, 140, 400); // …but the click serves
            serveFactorY = ball->FactorY();
            EXPECT_FALSE(rally.swingActive);
            EXPECT_TRUE(rally.ballInPlay);
            EXPECT_TRUE(rally.comServing);
            EXPECT_FALSE(rally.comServeWait);
        }
        if (frames == 3)
            m->cmdSTOP->click();
    };
    m->cmdREN->click();
    EXPECT_EQ(firstX, 141);
    EXPECT_EQ(firstY, 93);
    EXPECT_EQ(serveFactorY, 25);
    EXPECT_GE(game.dialogs->cuts, 1);
}

TEST(Practice, AScriptedPlayerKeepsARallyGoingAtLevel8ThenAbandons)
{
    TestGame game;
    game.start();
    frmMAIN *m = game.app->mainWindow();
    RallyState &rally = game.app->rally;
    clickLabel(m->lblRNK[2]);
    ASSERT_EQ(rally.level, 8);

    int frames = 0;
    int hits = 0;
    int lastHits = 0;
    bool served = false;
    bool stopped = false;
    std::int64_t start = 0;
    game.platform.onEvents = [&] {
        Ball *ball = m->loop().cast().ball;
        if (!ball || game.platform.ending())
            return;
        if (frames++ == 0)
            start = game.platform.now();
        if (!served) {
            m->picP_MouseDown(1, 0, 140, 300); // the computer's serve
            served = true;
            return;
        }
        if (rally.rallyHits > lastHits) {
            hits += rally.rallyHits - lastHits;
            lastHits = rally.rallyHits;
        }
        // Swing when the ball comes down into reach, high in its hop.
        const bool coming = ball->FactorY() > 0 && ball->Y() > 330 && ball->Y() < 480;
        if (coming && !rally.ballLow && !rally.swingActive) {
            const double x = ball->X() + (ball->X() < 141 ? -6 : 6);
            const double y = ball->Y() + 8;
            m->picP_MouseMove(0, 0, x, y);
            m->picP_MouseDown(ball->X() < 141 ? 2 : 1, 0, x, y);
        }
        if ((hits >= 20 || frames > 3000) && !stopped) {
            stopped = true;
            m->cmdSTOP->click();
        }
    };
    m->cmdREN->click(); // runs the whole practice game
    game.platform.onEvents = nullptr;

    EXPECT_GE(hits, 20) << "after " << frames << " frames";
    // Level 8 plays 70 ms frames.
    EXPECT_EQ((game.platform.now() - start) % 70, 0);
    // Abandoned: the full reset ran and the window is idle again.
    EXPECT_EQ(game.dialogs->cuts, 1);
    EXPECT_EQ(rally.level, 0);
    EXPECT_FALSE(rally.ballInPlay || rally.comServeWait || rally.swingActive || rally.racketCursor);
    EXPECT_EQ(game.app->appearance.courtColor, 0); // rank C colours again
    EXPECT_EQ(Looks::labelBackground(m->lblRNK[0]), QColor(0, 255, 0));
    EXPECT_TRUE(m->cmdREN->isEnabled());
    EXPECT_TRUE(m->cmdGAME->isEnabled());
    EXPECT_FALSE(m->cmdSTOP->isEnabled());
    EXPECT_EQ(m->loop().cast().ball, nullptr);
    EXPECT_EQ(m->picP->picture().image(), m->flow().art().picB.background());
}

TEST(Practice, ButtonsAndLabelsAreLockedWhilePlaying)
{
    TestGame game;
    game.start();
    frmMAIN *m = game.app->mainWindow();
    bool checked = false;
    game.platform.onEvents = [&] {
        if (!m->loop().cast().ball || checked)
            return;
        checked = true;
        EXPECT_FALSE(m->cmdGAME->isEnabled());
        EXPECT_FALSE(m->cmdREN->isEnabled());
        EXPECT_TRUE(m->cmdSTOP->isEnabled());
        for (QLabel *rank : m->lblRNK)
            EXPECT_FALSE(rank->isEnabled());
        clickLabel(m->lblRNK[2]); // ignored while playing
        EXPECT_NE(game.app->rally.level, 8);
        m->cmdSTOP->click();
    };
    m->cmdREN->click();
    EXPECT_TRUE(checked);
}

// A click handled while the rank A hint is up (one queued before it showed)
// serves the practice ball from its spot, never from a ball not yet on court.
TEST(Practice, AClickDuringTheRankAHintServesFromTheServeSpot)
{
    TestGame game({}, true);
    game.start();
    frmMAIN *m = game.app->mainWindow();
    RallyState &rally = game.app->rally;
    clickLabel(m->lblRNK[2]);
    bool checked = false;
    game.platform.onEvents = [&] {
        Ball *ball = m->loop().cast().ball;
        if (!ball || checked || !rally.ballInPlay)
            return;
        checked = true;
        EXPECT_EQ(ball->X(), 141);
        EXPECT_GE(ball->Y(), 93);
        EXPECT_LE(ball->Y(), 93 + 2 * 25);
        EXPECT_EQ(ball->FactorY(), 25);
        m->cmdSTOP->click();
    };
    game.platform.onModal = [&, first = true](QDialog &dialog) mutable {
        if (first) { // the hint
            first = false;
            m->picP_MouseDown(1, 0, 140, 300);
            dialog.accept();
        } else { // the interrupt: abandon
            dialog.reject();
        }
    };
    m->cmdREN->click();
    game.platform.onEvents = nullptr;
    game.platform.onModal = nullptr;
    EXPECT_TRUE(checked);
    EXPECT_EQ(rally.level, 0);
}
