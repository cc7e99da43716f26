// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CelebrationRig.h"

#include "app/frmMAIN.h"
#include "data/RecordFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>

using namespace moka;
using namespace celebration_rig;

namespace {

// The test ball's colour, found nowhere else in the pictures.
constexpr QRgb kBallColour = qRgb(1, 254, 3);

// The whole celebration on the virtual clock, with a square ball that shows
// where it lands and every frame and sound recorded: the sequence alone, or
// in its window.
struct CelebrationRun
{
    explicit CelebrationRun(QSize screen = {1024, 768}, bool windowed = false)
    {
        game.start(); // on a screen of at least 600 lines, or the game refuses to start
        game.platform.screen = screen;
        QImage grey(screen, QImage::Format_RGB32);
        grey.fill(qRgb(128, 128, 128));
        game.platform.desktop = grey;
        game.app->match.playerName = QStringLiteral("ABC");
        if (windowed) {
            w = std::make_unique<frmPFM>(rec);
            seq = &w->sequence();
        } else {
            own = std::make_unique<CelebrationSequence>(rec);
            seq = own.get();
        }
        rec.sequence = seq;
        seq->art.picYB = squareBall(kBallColour);
    }

    // Plays the whole celebration: through the window, or the sequence over
    // the screen as the window opens it, unloaded at its end.
    void play()
    {
        if (w) {
            w->play();
            return;
        }
        seq->open(QRect(QPoint(), game.platform.screen));
        seq->run();
        seq->unload();
    }

    // Keeps a copy of what the window shows at the frame (phase, frame).
    void keep(int phase, int frame)
    {
        wanted.push_back({phase, frame});
        rec.onFrame = [this](CelebrationSequence &f) {
            for (const auto &at : wanted)
                if (at.first == f.phase() && at.second == f.frame()) {
                    kept[at] = rec.shown.copy();
                    keptBackground[at] = f.picAAA.background().copy();
                }
        };
    }

    TestGame game;
    Recorder rec{*game.app};
    std::unique_ptr<frmPFM> w;
    std::unique_ptr<CelebrationSequence> own;
    CelebrationSequence *seq = nullptr;
    std::vector<std::pair<int, int>> wanted;
    std::map<std::pair<int, int>, QImage> kept;
    std::map<std::pair<int, int>, QImage> keptBackground;
};

std::vector<int> upTo(int n)
{
    std::vector<int> v;
    for (int i = 1; i <= n; ++i)
        v.push_back(i);
    return v;
}

} // namespace

TEST(CelebrationSequence, PhasesRunTheirFramesOnAHundredMillisecondClock)
{
    CelebrationRun run({1024, 768}, true);
    // Neither a click, nor the system's close, nor a second activation in the
    // middle changes anything: the sequence runs once, whole.
    int hiddenFrames = 0;
    frmPFM &f = *run.w;
    run.rec.onFrame = [&](CelebrationSequence &seq) {
        hiddenFrames += f.isVisible() || !f.activated() ? 0 : 1; // shown once the sequence runs
        if (seq.phase() == 2 && seq.frame() == 3) {
            QTest::mouseClick(&f, Qt::LeftButton);
            QTest::mouseClick(&f, Qt::RightButton);
            f.close();
            f.Form_Activate();
        }
    };
    run.w->play();
    const Recorder &rec = run.rec;
    EXPECT_EQ(rec.frames(1), upTo(22));
    EXPECT_EQ(rec.frames(2), upTo(17));
    EXPECT_EQ(rec.frames(3), std::vector<int>{});
    EXPECT_EQ(rec.frames(4), upTo(9));
    EXPECT_EQ(rec.frames(5), (std::vector<int>{0, 0}));
    EXPECT_EQ(rec.frames(6), upTo(38));
    EXPECT_EQ(rec.frames(7), upTo(10));
    EXPECT_EQ(hiddenFrames, 0);

    // Consecutive frames of a phase are one period apart, and the finale's
    // first ball comes two periods after the last confetti.
    std::int64_t last = -1;
    int lastPhase = -1;
    for (const Event &e : rec.events) {
        if (e.sound != 0 || e.frame == 0)
            continue;
        if (e.phase == lastPhase) {
            EXPECT_EQ(e.time - last, 100) << "phase " << e.phase << " frame " << e.frame;
        } else if (e.phase == 7) {
            EXPECT_EQ(e.time - last, 200);
        }
        last = e.time;
        lastPhase = e.phase;
    }

    // The fireworks end with the list empty, the confetti with 10 + 2 × 38
    // pieces (none reaches an edge when every random number is 0).
    for (const Event &e : rec.events) {
        if (e.sound != 0)
            continue;
        if (e.phase == 2) {
            EXPECT_EQ(e.particles == 0, e.frame == 17) << e.frame;
        }
        if (e.phase == 6) {
            EXPECT_EQ(e.particles, 10 + 2 * e.frame);
        }
    }

    // Over: the window is gone, the tables cleared, the list empty.
    EXPECT_FALSE(run.w->isVisible());
    EXPECT_TRUE(run.w->unloaded());
    EXPECT_FALSE(run.seq->orbitDone);
    EXPECT_TRUE(run.seq->state.particleList.isEmpty());
    EXPECT_EQ(run.seq->state.cosTbl[0], 0);
    EXPECT_FALSE(run.game.platform.ending());
    EXPECT_TRUE(run.game.platform.messages.isEmpty()) << run.game.platform.messages.join('|').toStdString();
}

TEST(CelebrationSequence, SoundsComeInTheirFrames)
{
    CelebrationRun run;
    run.play();
    struct Want
    {
        int sound, phase, frame;
    };
    const Want want[] = {{101, 0, 0}, {103, 2, 0},  {103, 2, 3}, {103, 2, 6}, {101, 3, 0},
                         {106, 6, 0}, {103, 6, 21}, {-1, 7, 0},  {104, 7, 0}};
    const std::vector<Event> got = run.rec.sounds();
    ASSERT_EQ(got.size(), std::size(want));
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].sound, want[i].sound) << i;
        EXPECT_EQ(got[i].phase, want[i].phase) << i;
        EXPECT_EQ(got[i].frame, want[i].frame) << i;
    }
    // The confetti music loops and is stopped before the finale.
    const auto &starts = run.game.device->starts;
    auto loop = std::find_if(starts.begin(), starts.end(), [](const auto &s) { return s.id == 106; });
    ASSERT_NE(loop, starts.end());
    EXPECT_TRUE(loop->loop);
    EXPECT_GE(run.game.device->stops, 1);
    EXPECT_EQ(starts.back().id, 104);
}

// Where things land on 1024 × 768: the ball's last hop, the trophy, the
// first ball of the finale; and the last ring of the fireworks stays behind
// everything that follows.
TEST(CelebrationSequence, PicturesLandWhereTheyBelongOn1024x768)
{
    CelebrationRun run;
    run.seq->art.picM.reset(270, 310, qRgb(0, 0, 0)); // the whole trophy rectangle shows
    for (const auto &[phase, frame] : {std::pair{1, 22}, {2, 17}, {4, 1}, {6, 38}, {7, 1}})
        run.keep(phase, frame);
    run.play();
    const CelebrationSequence &w = *run.seq;
    EXPECT_EQ(w.riseStep, 22);
    const QImage &desktop = run.game.platform.desktop;

    // Drawn bright (OR) over grey, the ball lightens its square.
    EXPECT_EQ(changed(run.kept[{1, 22}], desktop), QRect(504, 264, 16, 16));
    EXPECT_EQ(changed(run.kept[{4, 1}], run.keptBackground[{4, 1}]), QRect(406, 214, 270, 310));
    // Drawn solid, the finale's first ball is a square of its own colour.
    EXPECT_EQ(coloured(run.kept[{7, 1}], kBallColour), QRect(503, 345, 17, 17));
    EXPECT_EQ(changed(run.kept[{7, 1}], run.kept[{6, 38}]), QRect(503, 345, 17, 17));

    // The last burst's ring: 36 white single pixels on the circle of radius
    // 220 around (512, 256), kept in the background from the title on and,
    // where the trophy and banner do not cover them, to the end.
    int count = 0;
    coloured(run.kept[{2, 17}], qRgb(255, 255, 255), &count);
    EXPECT_EQ(count, 36);
    const QRect covered = QRect(406, 214, 270, 310) | QRect(368, 159, 287, 177);
    const QImage &titleBackground = run.keptBackground[{4, 1}];
    int stayed = 0;
    for (int y = 0; y < desktop.height(); ++y)
        for (int x = 0; x < desktop.width(); ++x) {
            if ((run.kept[{2, 17}].pixel(x, y) & 0xffffff) != 0xffffff)
                continue;
            EXPECT_NEAR(std::hypot(x - 512, y - 256), 220.0, 1.5) << x << "," << y;
            EXPECT_EQ(titleBackground.pixel(x, y) & 0xffffff, 0xffffffu) << x << "," << y;
            if (!covered.contains(x, y)) {
                EXPECT_EQ(w.picAAA.background().pixel(x, y) & 0xffffff, 0xffffffu) << x << "," << y;
                ++stayed;
            }
        }
    EXPECT_GE(stayed, 20);
}

// The composed back buffer of every frame, phase by phase, with the real
// artwork over a busy desktop and the confetti drawn from a fixed seed: any
// change in how the frames are put together shows as another digest. On a
// 640 × 480 screen the last rings and the finale's ball reach beyond the top.
TEST(CelebrationSequence, EveryFrameComposesTheSamePictureAsBefore)
{
    struct Want
    {
        QSize screen;
        std::map<int, std::string> digests; // phase -> digest of its frames
    };
    const Want wants[] = {
        {{1024, 768},
         {{0, "dfe31bade6f523de"},
          {1, "6dc9c87ff46d82e7"},
          {2, "7e70586fdcd560d5"},
          {4, "4fcb410a13667d1c"},
          {5, "25a30998c2ab755c"},
          {6, "ce02ef51fedb088d"},
          {7, "070b5473a3bbeea6"}}},
        {{640, 480},
         {{0, "4baafac63cb76d48"},
          {1, "6bbdde17f4c622f8"},
          {2, "368dc2aa3d4baf60"},
          {4, "c8e4bf62b8b0e170"},
          {5, "9808429b695d9b5d"},
          {6, "8a1b1aef1a9b3766"},
          {7, "9ea1e7edd42bac43"}}},
    };
    for (const Want &want : wants) {
        TestGame game;
        game.start();
        const QSize size = want.screen;
        game.platform.screen = size;
        QImage desktop(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                desktop.setPixel(x, y, qRgb(x & 255, y & 255, (x ^ y) & 255));
        game.platform.desktop = desktop;
        game.app->match.playerName = QStringLiteral("MOC");
        Recorder rec(*game.app);
        rec.seed = 20261207;
        CelebrationSequence w(rec);
        rec.sequence = &w;
        std::map<int, QCryptographicHash> hashes;
        std::map<int, int> frames;
        rec.onFrame = [&](CelebrationSequence &f) {
            const QImage &composed = f.picAAA.image();
            auto it = hashes.try_emplace(f.phase(), QCryptographicHash::Sha1).first;
            it->second.addData(QByteArrayView(composed.constBits(), composed.sizeInBytes()));
            ++frames[f.phase()];
        };
        w.open(QRect(QPoint(), size));
        w.run();
        EXPECT_EQ(frames, (std::map<int, int>{{0, 2}, {1, 22}, {2, 17}, {4, 9}, {5, 2}, {6, 38}, {7, 10}}));
        // Each frame repaints just what changed, and that is enough: the
        // window then shows the whole frame.
        EXPECT_EQ(rec.staleFrames, 0);
        for (auto &[phase, hash] : hashes)
            EXPECT_EQ(hash.result().toHex().left(16).toStdString(), want.digests.at(phase))
                << size.width() << "x" << size.height() << " phase " << phase;
    }
}

TEST(CelebrationSequence, TheBallRisesEighteenPixelsAFrameOnA480HighScreen)
{
    CelebrationRun run({640, 480});
    run.keep(1, 22);
    run.keep(7, 10);
    run.play();
    EXPECT_EQ(run.seq->riseStep, 18);
    // (640 - 16) / 2 and 240 + 100 - 18 × 10.
    EXPECT_EQ(changed(run.kept[{1, 22}], run.game.platform.desktop), QRect(312, 160, 16, 16));
    // The finale's 528-pixel ball, drawn at (56, -54), is clipped at the top.
    EXPECT_EQ(coloured(run.kept[{7, 10}], kBallColour), QRect(56, 0, 528, 528 - 54));
}

// The program ending in the middle (its end command run from an event
// handled during a frame's wait) stops the sequence at once: the sound is
// stopped, the window unloaded, and no frame is drawn after it.
TEST(CelebrationSequence, EndingTheProgramDuringAWaitUnwindsTheSequence)
{
    CelebrationRun run({1024, 768}, true);
    int framesAfterEnd = 0;
    run.rec.onFrame = [&](CelebrationSequence &f) {
        if (run.game.platform.ending())
            ++framesAfterEnd;
        if (f.phase() == 2 && f.frame() == 5)
            run.game.platform.onEvents = [&] { run.game.app->APP_END(); };
    };
    run.w->play();
    EXPECT_TRUE(run.game.platform.ending());
    EXPECT_EQ(framesAfterEnd, 0);
    EXPECT_EQ(run.rec.frames(2), upTo(5));
    EXPECT_TRUE(run.rec.frames(4).empty());
    EXPECT_EQ(run.rec.sounds().back().sound, -1) << "sound stopped";
    EXPECT_FALSE(run.w->isVisible());
    EXPECT_TRUE(run.w->unloaded());
    EXPECT_TRUE(run.seq->state.particleList.isEmpty());
}

// The trophy bears playerName, or previewName when no one is playing; a
// trophy that cannot be loaded is reported and the celebration goes on.
TEST(CelebrationSequence, TheTrophyBearsThePlayerOrElseThePreviewName)
{
    auto engraved = [](const QString &player, const QString &preview, const QString &cup = {}) {
        CelebrationRun run({640, 480});
        run.game.app->match.playerName = player;
        run.game.app->match.previewName = preview;
        run.rec.trophyName = cup;
        run.play();
        EXPECT_EQ(run.rec.frames(7), upTo(10));
        EXPECT_EQ(run.game.platform.messages.size(), cup.isEmpty() ? 0 : 1);
        return run.seq->picW.background();
    };
    const QImage moc = engraved(QStringLiteral("MOC"), QStringLiteral("XYZ"));
    EXPECT_EQ(engraved({}, QStringLiteral("MOC")), moc);
    EXPECT_NE(engraved(QStringLiteral("XYZ"), QStringLiteral("MOC")), moc);
    const QImage blank = engraved(QStringLiteral("MOC"), {}, QStringLiteral("no_such_picture.bin"));
    EXPECT_EQ(blank.size(), QSize(270, 310));
    EXPECT_NE(blank, moc);
}

namespace {

// A game whose celebration, when it opens, is watched: every frame ends in
// a wait, where the phase and frame it stands at are noted.
struct WatchedGame
{
    WatchedGame()
    {
        game.start();
        m = game.app->mainWindow();
        file = game.folder.path() + QStringLiteral("/mokaru.dat");
        game.platform.onEvents = [this] {
            const frmPFM *w = openCelebration();
            if (!w || w->sequence().frame() == 0)
                return;
            const std::pair<int, int> at{w->sequence().phase(), w->sequence().frame()};
            if (seen.empty() || seen.back() != at)
                seen.push_back(at);
        };
    }
    std::vector<int> frames(int phase) const
    {
        std::vector<int> out;
        for (const auto &[p, frame] : seen)
            if (p == phase)
                out.push_back(frame);
        return out;
    }
    QByteArray saved() const
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    TestGame game;
    frmMAIN *m = nullptr;
    QString file;
    std::vector<std::pair<int, int>> seen;
};

} // namespace

TEST(CelebrationSequence, ANewChampionIsCelebratedSavedAndTheProgramEnds)
{
    WatchedGame g;
    MatchState &match = g.game.app->match;
    RallyState &rally = g.game.app->rally;
    match.playerName = QStringLiteral("ABC");
    match.tournamentPlayed = true;
    match.userSets = 2;
    rally.level = 9;
    g.game.app->match.comBar = -240;
    rally.outSide = 1;
    rally.rallyHits = 5;
    EXPECT_FALSE(g.m->flow().pointAward());

    EXPECT_EQ(g.frames(6), upTo(38));
    EXPECT_EQ(g.frames(7), upTo(10));
    EXPECT_EQ(openCelebration(), nullptr) << "the window is gone";
    EXPECT_TRUE(g.game.platform.ending());
    EXPECT_EQ(g.game.app->records.rankName[0], QStringLiteral("ABC"));
    EXPECT_TRUE(g.saved().startsWith("10,\"ABC\"")) << g.saved().toStdString();
    ASSERT_FALSE(g.game.dialogs->infos.empty());
    EXPECT_EQ(g.game.dialogs->infos.back().text, QStringLiteral("お疲れさま．．．"));
}

TEST(CelebrationSequence, ThePreviewCelebratesButSavesNothing)
{
    WatchedGame g;
    MatchState &match = g.game.app->match;
    const QByteArray before = g.saved();
    match.previewName = QStringLiteral("MOC");
    g.m->lblCOM_MouseDown(2, 1);
    g.m->lblUSER_MouseDown(2, 1);

    EXPECT_EQ(g.frames(7), upTo(10));
    EXPECT_TRUE(g.game.platform.ending());
    EXPECT_TRUE(g.game.app->records.rankName[0].isEmpty());
    EXPECT_EQ(g.saved(), before);
    EXPECT_FALSE(match.champPreview);
}
