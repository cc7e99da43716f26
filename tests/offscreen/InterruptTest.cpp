// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestGame.h"

#include "app/frmMAIN.h"
#include "dialogs/frmCUT.h"
#include "rally/Ball.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace moka;

namespace {

// Clicks "プレイ に戻る" (1) or "プレイデータ を 破棄 する" (2) of the
// interrupt dialog that is showing.
void press(QDialog &dialog, int button)
{
    auto *cut = qobject_cast<frmCUT *>(&dialog);
    ASSERT_NE(cut, nullptr);
    QTest::mouseClick(button == 1 ? cut->Command1 : cut->Command2, Qt::LeftButton);
}

} // namespace

TEST(Interrupt, ResumingPicksTheRallyUpExactlyWhereItStopped)
{
    TestGame game({}, true);
    game.start();
    frmMAIN *m = game.app->mainWindow();
    RallyState &rally = game.app->rally;
    struct Snapshot
    {
        std::int32_t x, y, fx, fy;
    };
    Snapshot before{}, after{};
    int frames = 0;
    bool paused = false;
    int resumedFrames = 0;
    game.platform.onModal = [&](QDialog &dialog) {
        Ball *ball = m->loop().cast().ball;
        before = {ball->X(), ball->Y(), ball->FactorX(), ball->FactorY()};
        press(dialog, 1);
    };
    game.platform.onEvents = [&] {
        Ball *ball = m->loop().cast().ball;
        if (!ball)
            return;
        ++frames;
        if (frames == 2)
            m->picP_MouseDown(1, 0, 100, 300); // serve
        if (frames == 8 && !paused) {
            paused = true;
            m->picP_MouseMove(0, 0, 140, 400);
            m->picP_MouseDown(1, 0, 140, 400);  // a swing under way…
            QTest::keyClick(m, Qt::Key_Escape); // …and Escape pauses
        }
        if (paused && rally.loopBreak == false && resumedFrames == 0 && game.platform.modalsShown == 1) {
            // Right after the dialog, before play goes on.
            after = {ball->X(), ball->Y(), ball->FactorX(), ball->FactorY()};
            ++resumedFrames;
            EXPECT_TRUE(rally.ballInPlay);
            return;
        }
        if (resumedFrames == 1) {
            EXPECT_FALSE(rally.swingActive); // the swing was cancelled when play went on
        }
        if (resumedFrames > 0 && ++resumedFrames == 5) {
            game.platform.onModal = [&](QDialog &dialog) { press(dialog, 2); };
            m->cmdSTOP->click();
        }
    };
    m->cmdREN->click();
    EXPECT_EQ(game.platform.modalsShown, 2);
    EXPECT_EQ(after.x, before.x);
    EXPECT_EQ(after.y, before.y);
    EXPECT_EQ(after.fx, before.fx);
    EXPECT_EQ(after.fy, before.fy);
    EXPECT_NE(before.fy, 0);
    // The second pause was abandoned: idle again.
    EXPECT_EQ(rally.level, 0);
    EXPECT_FALSE(rally.ballInPlay);
    EXPECT_TRUE(m->cmdREN->isEnabled());
    EXPECT_EQ(game.device->ids().front(), 101);
}

// Escape, Enter and a close by the window system all return to play; only
// "プレイデータ を 破棄 する" throws the game away.
TEST(Interrupt, OnlyTheSecondButtonDiscardsTheGame)
{
    TestGame game({}, true);
    game.start();
    frmMAIN *m = game.app->mainWindow();
    int shown = 0;
    game.platform.onModal = [&](QDialog &dialog) {
        auto *cut = qobject_cast<frmCUT *>(&dialog);
        ASSERT_NE(cut, nullptr);
        switch (shown++) {
        case 0: QTest::keyClick(&dialog, Qt::Key_Escape); break;
        case 1: QTest::keyClick(&dialog, Qt::Key_Return); break;
        case 2: dialog.close(); break;
        default: cut->Command2->click(); break;
        }
    };
    int stops = 0;
    game.platform.onEvents = [&] {
        // A new stop once the game has gone on after the last one.
        if (m->loop().cast().ball && stops == shown && stops < 4 && !game.app->rally.stopRequest) {
            ++stops;
            m->cmdSTOP->click();
        }
    };
    m->cmdREN->click();
    EXPECT_EQ(shown, 4);
    EXPECT_FALSE(game.app->rally.stopRequest);
    EXPECT_TRUE(m->cmdREN->isEnabled());
}

TEST(Interrupt, EndingFromTheFarewellStillEndsOnce)
{
    TestGame game({}, true);
    game.start();
    frmMAIN *m = game.app->mainWindow();
    QString shown;
    game.platform.onModal = [&](QDialog &dialog) {
        for (QLabel *label : dialog.findChildren<QLabel *>())
            if (!label->text().isEmpty())
                shown = label->text();
        dialog.accept();
    };
    m->cmdEND->click();
    EXPECT_EQ(shown, QStringLiteral("お疲れさま．．．"));
    EXPECT_EQ(game.platform.ends, 1);
}
