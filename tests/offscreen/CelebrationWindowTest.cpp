// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CelebrationRig.h"

#include "app/frmMAIN.h"
#include "celebration/CFubuki.h"
#include "celebration/CHanabi.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace moka;
using namespace celebration_rig;

namespace {

// A celebration sequence on a 1024 × 768 screen, its tables filled and its
// back buffer black, as it stands before its first frame.
class CelebrationWindowTest : public ::testing::Test
{
protected:
    CelebrationWindowTest()
        : host(*game.app)
        , w(host)
    {
        w.state.screenW = 1024;
        w.state.screenH = 768;
        w.picAAA.reset(1024, 768, qRgb(0, 0, 0));
        w.YB_SETTING();
        w.SET_E();
        w.SET_COSIN_L();
    }

    TestGame game;
    GameCelebrationHost host;
    CelebrationSequence w;
};

} // namespace

TEST_F(CelebrationWindowTest, TablesAreFilledTruncatedAndClearedOnUnload)
{
    const auto &c = w.state.cosTbl;
    const auto &s = w.state.sinTbl;
    // 984 and 173, not the rounded 985 and 174; whole values keep their value.
    EXPECT_EQ(c[1], 984);
    EXPECT_EQ(s[1], 173);
    EXPECT_EQ(c[9], 0);
    EXPECT_EQ(s[27], -1000);
    EXPECT_EQ(s[3], 500);
    EXPECT_EQ(c[6], 500);
    EXPECT_EQ(c[18], -1000);
    EXPECT_EQ(s[18], 0);
    EXPECT_EQ(c[19], -984) << "truncated toward zero, not down";
    EXPECT_EQ(s[21], -500);
    EXPECT_EQ(w.state.eTbl, (std::array<std::int32_t, 11>{1, 2, 3, 4, 5, 6, 5, 4, 3, 2, 1}));

    w.unload();
    for (const auto *table : {&c, &s})
        for (std::int32_t v : *table)
            EXPECT_EQ(v, 0);
    for (std::int32_t v : w.state.eTbl)
        EXPECT_EQ(v, 0);
    for (const auto *table : {&w.ybX, &w.ybY, &w.ybSize})
        for (std::int32_t v : *table)
            EXPECT_EQ(v, 0);
}

// The orbit: 17 drawings along the path, each alone in its frame, then the
// 18th call and every later one only report the orbit done.
TEST_F(CelebrationWindowTest, TheOrbitDrawsSeventeenPositionsThenEnds)
{
    w.art.picYB = squareBall();
    w.centerX = 512;
    w.centerY = 384;
    const QRect want[17] = {{-56, -130, 16, 16},  {-84, -124, 20, 20}, {-114, -116, 24, 24},
                            {-136, -104, 28, 28}, {-150, -84, 32, 32}, {-136, -64, 36, 36},
                            {-98, -48, 40, 40},   {-54, -40, 44, 44},  {0, -36, 48, 48},
                            {54, -40, 44, 44},    {98, -48, 40, 40},   {136, -64, 36, 36},
                            {150, -84, 32, 32},   {136, -104, 28, 28}, {114, -116, 24, 24},
                            {84, -124, 20, 20},   {56, -130, 16, 16}};
    const QImage black = w.picAAA.image();
    for (int k = 0; k < 17; ++k) {
        w.picAAA.clear();
        w.YB_STEP();
        EXPECT_EQ(changed(w.picAAA.image(), black), want[k].translated(512, 384)) << "call " << k + 1;
        EXPECT_FALSE(w.orbitDone);
    }
    for (int call = 18; call <= 19; ++call) {
        w.picAAA.clear();
        w.YB_STEP();
        EXPECT_TRUE(w.orbitDone) << call;
        EXPECT_EQ(w.picAAA.image(), black) << "call " << call << " draws nothing";
    }
}

// A burst on 1024 × 768: rings of 20 to 220 pixels around (512, 256), dots
// from 1 to 6 pixels and back, gone from the list in its 11th frame.
TEST_F(CelebrationWindowTest, ABurstGrowsForElevenFramesThenLeavesTheList)
{
    const QRgb red = 0xff0000; // as pixel() reads it
    w.state.burstColor = red;
    auto burst = std::make_unique<CHanabi>(w.state);
    const QString id = burst->ID();
    w.state.particleList.add(std::move(burst));
    for (int step = 1; step <= 11; ++step) {
        w.picAAA.clear();
        ASSERT_TRUE(w.state.particleList.contains(id)) << step;
        w.state.particleList.taskAll();
        const int e = std::min(step, 12 - step);
        const int r = 20 * step;
        int count = 0;
        const QRect box = coloured(w.picAAA.image(), red, &count);
        EXPECT_EQ(count, 36 * e * e) << "step " << step;
        // Right (0°) and lowest (90°) dots: top-left corners on the ring.
        EXPECT_EQ(box.right(), 512 + r + e - 1) << step;
        EXPECT_EQ(box.bottom(), 256 + r + e - 1) << step;
        EXPECT_EQ(box.top(), 256 - r) << step;
        EXPECT_EQ(w.picAAA.pixel(512 + r, 256), red) << step;
        EXPECT_EQ(w.picAAA.pixel(512, 256 + r), red) << step;
    }
    EXPECT_TRUE(w.state.particleList.isEmpty());
    // First frame: the k = 0 dot at (532, 256), the k = 9 dot at (512, 276).
    w.picAAA.clear();
    CHanabi probe(w.state);
    probe.Task();
    EXPECT_EQ(w.picAAA.pixel(532, 256), red);
    EXPECT_EQ(w.picAAA.pixel(512, 276), red);
    EXPECT_EQ(w.picAAA.pixel(533, 256), 0u);
}

TEST_F(CelebrationWindowTest, DotsBeyondTheEdgesAreClipped)
{
    // 800 × 600: the last ring, radius 220 around (400, 200), reaches 20
    // pixels above the top; five of its dots fall off.
    w.state.screenW = 800;
    w.state.screenH = 600;
    w.picAAA.reset(800, 600, qRgb(0, 0, 0));
    w.state.burstColor = qRgb(255, 255, 255);
    CHanabi burst(w.state);
    for (int step = 1; step <= 11; ++step) {
        w.picAAA.clear();
        burst.Task();
    }
    int count = 0;
    coloured(w.picAAA.image(), qRgb(255, 255, 255), &count);
    EXPECT_EQ(count, 31);

    // A piece of confetti over the right edge draws its visible part: from
    // x = Int(0.99 × 400) = 396 at 14 pixels a frame, at 788 after 28 moves.
    w.art.picQQQ.reset(128, 128, qRgb(0, 255, 0));
    const double draws[] = {0.99, 0.0, 0.99, 0.0, 0.0, 0.0};
    int next = 0;
    w.state.Rnd = [&] { return draws[next++]; };
    CFubuki piece(w.state);
    for (int i = 0; i < 27; ++i)
        piece.Task();
    w.picAAA.reset(800, 600, qRgb(0, 0, 0));
    piece.Task();
    ASSERT_EQ(piece.X(), 788);
    EXPECT_EQ(coloured(w.picAAA.image(), qRgb(0, 255, 0), &count), QRect(788, 140, 12, 16));
    EXPECT_EQ(count, 12 * 16);
}

TEST_F(CelebrationWindowTest, ParticlesNumberedInOneRunWideSeries)
{
    game.app->NEXT_NO();
    game.app->NEXT_NO(); // the counter stands at 2
    w.state.Rnd = [] { return 0.5; };
    CHanabi a(w.state);
    CHanabi b(w.state);
    CFubuki c(w.state);
    EXPECT_EQ(a.ID(), QStringLiteral("H3"));
    EXPECT_EQ(b.ID(), QStringLiteral("H4"));
    EXPECT_EQ(c.ID(), QStringLiteral("F5"));
}

TEST_F(CelebrationWindowTest, ConfettiTumblesThroughItsRowAndLeavesOnlyBeyondTheEdge)
{
    // A sheet whose every cell has a colour of its own: row in green, column in blue.
    w.art.picQQQ.reset(128, 128, qRgb(0, 0, 0));
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 8; ++col)
            w.art.picQQQ.fillRect(QRect(col * 16, row * 16, 16, 16), qRgb(1, 10 + row, 10 + col));
    // r1..r6: x = Int(0.25 × 512) = 128, y = Int(0.494140625 × 256) = 126,
    // speed (Int(0.35 × 10) + 5, Int(0.2 × 5) + 5) = (8, 6), row 3, frame 7.
    const double draws[] = {0.25, 0.494140625, 0.35, 0.2, 0.4, 0.9};
    int next = 0;
    w.state.Rnd = [&] { return draws[next++]; };
    auto owned = std::make_unique<CFubuki>(w.state);
    CFubuki &piece = *owned;
    EXPECT_EQ(next, 6);
    EXPECT_EQ(piece.X(), 128);
    EXPECT_EQ(piece.Y(), 126);
    EXPECT_EQ(piece.speedX(), 8);
    EXPECT_EQ(piece.speedY(), 6);
    EXPECT_EQ(piece.row(), 3);
    EXPECT_EQ(piece.frame(), 7);
    w.state.particleList.add(std::move(owned));

    // Moved before drawn: first seen at (136, 132), column 7, then column 0.
    for (int col : {7, 0, 1}) {
        w.picAAA.clear();
        w.state.particleList.taskAll();
        const QRect want(piece.X(), piece.Y(), 16, 16);
        EXPECT_EQ(coloured(w.picAAA.image(), qRgb(1, 13, 10 + col)), want) << col;
    }
    EXPECT_EQ(piece.X(), 128 + 3 * 8);

    // y reaches exactly 768 after 107 moves: still in the list; one more and it goes.
    for (int i = 3; i < 107; ++i)
        w.state.particleList.taskAll();
    ASSERT_EQ(piece.Y(), 768);
    EXPECT_EQ(w.state.particleList.count(), 1);
    w.state.particleList.taskAll();
    EXPECT_TRUE(w.state.particleList.isEmpty());
}

// Where the screen cannot be copied the celebration opens over the main
// window on a dark desk, not over black; a real copy is taken as it is.
TEST(CelebrationCapture, AFailedCaptureFallsBackToTheMainWindowOnADarkDesk)
{
    TestGame game;
    game.start();
    frmMAIN *m = game.app->mainWindow();
    const QImage black = [] {
        QImage i(1024, 768, QImage::Format_RGB32);
        i.fill(Qt::black);
        return i;
    }();
    // Where the window system does not tell where the main window stands
    // (Wayland), its picture stands in the middle of the screen.
    for (const bool placeUnknown : {false, true})
        for (const QImage &failed : {QImage(), black}) {
            game.platform.desktop = failed;
            Recorder rec(*game.app);
            rec.placeUnknown = placeUnknown;
            frmPFM w(rec);
            rec.sequence = &w.sequence();
            w.Form_Load();
            const QImage shown = w.sequence().picAAA.background();
            ASSERT_EQ(shown.size(), QSize(1024, 768));
            const QRgb desk = shown.pixel(0, 0) & 0xffffff;
            EXPECT_NE(desk, 0u) << "not black";
            EXPECT_LT(qGray(desk), 80) << "dark";
            const QImage main = m->grab().toImage();
            const QPoint at = placeUnknown ? QPoint((1024 - main.width()) / 2, (768 - main.height()) / 2)
                                           : m->mapToGlobal(QPoint(0, 0));
            ASSERT_NE(at, QPoint(0, 0)) << "a place that tells the cases apart";
            for (const QPoint p :
                 {QPoint(20, 20), QPoint(340, 20), QPoint(main.width() - 1, main.height() - 1)})
                EXPECT_EQ(shown.pixel(at + p), main.pixel(p))
                    << "the main window, place unknown: " << placeUnknown;
            EXPECT_EQ(rec.shown, shown) << "shown before the first frame";
            w.Form_QueryUnload();
        }
    QImage desktop(1024, 768, QImage::Format_RGB32);
    desktop.fill(qRgb(10, 200, 30));
    game.platform.desktop = desktop;
    GameCelebrationHost host(*game.app);
    frmPFM w(host);
    w.Form_Load();
    EXPECT_EQ(w.sequence().picAAA.background(), desktop);
    EXPECT_TRUE(w.isVisible());

    // A window manager that makes the full-screen window span another
    // monitor to the left as well: the screen's picture is drawn where the
    // screen stands in the window, the rest is black.
    w.setWindowState(Qt::WindowNoState);
    w.setGeometry(QRect(-200, 0, 1224, 768));
    QCoreApplication::processEvents();
    ASSERT_EQ(w.geometry(), QRect(-200, 0, 1224, 768));
    const QImage painted = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(painted.size(), QSize(1224, 768));
    EXPECT_EQ(painted.pixel(199, 384) & 0xffffff, 0u) << "the other monitor";
    EXPECT_EQ(painted.pixel(200, 0), desktop.pixel(0, 0)) << "the screen's top-left corner";
    EXPECT_EQ(painted.pixel(1223, 767), desktop.pixel(1023, 767)) << "its bottom-right corner";
}

TEST(CelebrationTrophy, AMissingOrUnreadableTrophyIsReportedWithItsReason)
{
    TestGame game;
    game.start();
    const QStringList before = QDir(game.folder.path()).entryList(QDir::Files);
    Recorder rec(*game.app);
    {
        CelebrationSequence w(rec);
        rec.trophyName = QStringLiteral("no_such_picture.bin");
        w.LOAD_CUP();
        ASSERT_EQ(game.platform.messages.size(), 1);
        EXPECT_EQ(w.picW.size(), QSize(270, 310)) << "left empty";
    }
    {
        CelebrationSequence w(rec);
        rec.trophyName = QStringLiteral("se101.wav"); // bytes that are no picture
        w.LOAD_CUP();
        ASSERT_EQ(game.platform.messages.size(), 2);
        EXPECT_FALSE(game.platform.messages[1].isEmpty());
        EXPECT_NE(game.platform.messages[1], game.platform.messages[0]) << "its own reason";
        EXPECT_EQ(w.picW.image(), Picture(270, 310).image());
    }
    EXPECT_EQ(QDir(game.folder.path()).entryList(QDir::Files), before) << "nothing written beside the game";
}

// The stored trophy lacks its first 26 bytes; they are completed in memory
// and the picture decoded there, with nothing written beside the game.
TEST(CelebrationTrophy, TheTrophyIsCompletedAndDecodedInMemory)
{
    TestGame game;
    game.start();
    const QStringList before = QDir(game.folder.path()).entryList(QDir::AllEntries | QDir::Hidden);
    GameCelebrationHost host(*game.app);
    CelebrationSequence w(host);
    w.LOAD_CUP();
    EXPECT_TRUE(game.platform.messages.isEmpty()) << game.platform.messages.join('|').toStdString();
    ASSERT_EQ(w.picW.size(), QSize(270, 310));
    EXPECT_NE(w.picW.image(), Picture(270, 310).image()) << "a picture, not the empty trophy";
    EXPECT_EQ(w.picW.background(), w.picW.image()) << "a clear brings it back";
    EXPECT_EQ(QDir(game.folder.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
}
