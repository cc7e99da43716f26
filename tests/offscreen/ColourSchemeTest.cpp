// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestGame.h"

#include "app/frmMAIN.h"
#include "look/PictureBox.h"
#include "match/CourtArt.h"

#include <gtest/gtest.h>

using namespace moka;

namespace {

// Every pixel that is pure blue in `original` is `colour` in `recoloured`;
// every other pixel is unchanged.
void expectRacketColour(const QImage &original, const QImage &recoloured, QRgb colour)
{
    const QImage before = original.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(before.size(), recoloured.size());
    int blue = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x) {
            const QRgb was = before.pixel(x, y) & 0xffffff;
            const QRgb now = recoloured.pixel(x, y) & 0xffffff;
            if (was == 0x0000ff) {
                ++blue;
                ASSERT_EQ(now, colour & 0xffffff) << x << "," << y;
            } else {
                ASSERT_EQ(now, was) << x << "," << y;
            }
        }
    EXPECT_GT(blue, 20);
}

} // namespace

TEST(ColourSchemes, EachLevelGetsItsRacketAndCourt)
{
    TestGame game;
    game.start();
    frmMAIN *m = game.app->mainWindow();
    RallyState &rally = game.app->rally;
    const QRgb racket[] = {qRgb(0, 0, 255),   qRgb(0, 0, 255),    qRgb(255, 0, 255), qRgb(0, 128, 128),
                           qRgb(255, 255, 0), qRgb(255, 0, 0),    qRgb(0, 255, 0),   qRgb(192, 192, 192),
                           qRgb(0, 255, 255), qRgb(255, 255, 255)};
    const QRgb surface[] = {qRgb(173, 115, 66), qRgb(128, 128, 255), qRgb(146, 0, 146)};
    // Levels 0-9: the racket colour number, and the court of rank C, B or A.
    const int racketColor[] = {1, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    const int courtColor[] = {0, 0, 0, 0, 1, 1, 1, 2, 2, 2};
    const QImage court = m->flow().art().imgC.convertToFormat(QImage::Format_RGB32);
    for (int level = 0; level <= 9; ++level) {
        rally.level = level;
        m->flow().SET_RAKET();
        m->flow().SET_COURT();
        const int scheme = courtColor[level];
        EXPECT_EQ(game.app->appearance.racketColor, racketColor[level]);
        EXPECT_EQ(game.app->appearance.courtColor, scheme);
        expectRacketColour(m->flow().art().imgCOMrkt, m->flow().art().picCOM.image(), racket[level]);
        expectRacketColour(m->flow().art().imgCOMsh, m->flow().art().picCOMsh.image(), racket[level]);
        // The court's surface in the middle of a half, and a goal mouth that never changes.
        EXPECT_EQ(m->flow().art().picB.pixel(70, 150), surface[scheme] & 0xffffff) << "level " << level;
        EXPECT_EQ(m->flow().art().picB.pixel(140, 2), court.pixel(140, 2) & 0xffffff);
        EXPECT_EQ(m->picP->picture().image(), m->flow().art().picB.image());
        EXPECT_EQ(m->flow().art().picB.background(),
                  m->flow().art().picB.image()); // a clear keeps the colours
    }
    // Twice at one level is the same as once.
    rally.level = 7;
    m->flow().SET_COURT();
    const QImage once = m->flow().art().picB.image();
    m->flow().SET_COURT();
    EXPECT_EQ(m->flow().art().picB.image(), once);
    // The board reset brings the rank C look back.
    m->flow().RESET_BOARD();
    EXPECT_EQ(game.app->appearance.courtColor, 0);
    EXPECT_EQ(game.app->appearance.racketColor, 1);
    EXPECT_EQ(m->flow().art().picB.image(), court);
    expectRacketColour(m->flow().art().imgCOMrkt, m->flow().art().picCOM.image(), racket[1]);
}
