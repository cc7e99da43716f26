// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How long composing one rally frame takes: restore the court, draw the
// ball, the player's racket and the computer, and copy the result onto the
// visible court.

#include "VirtualPlatform.h"

#include "platform/Picture.h"
#include "platform/Resources.h"
#include "rally/CourtPointer.h"
#include "rally/clsBALL.h"
#include "rally/clsCOM.h"
#include "rally/clsRKT.h"
#include "sound/SilentDevice.h"
#include "sound/SoundModule.h"
#include "state/AppearanceState.h"
#include "state/RallyState.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

using moka::Picture;
using moka::RasterOp;

constexpr int kCourtW = 281, kCourtH = 513;
constexpr int kFrameW = 64, kFrameH = 48; // racket and computer frames
constexpr int kBall = 16;

// A sprite and its mask from one shape: mask black inside on white, sprite
// coloured inside on black.
struct Sprite
{
    QImage mask, image;
};

Sprite ellipseSprite(int w, int h, QColor colour)
{
    Sprite s{QImage(w, h, QImage::Format_RGB32), QImage(w, h, QImage::Format_RGB32)};
    s.mask.fill(Qt::white);
    s.image.fill(Qt::black);
    QPainter m(&s.mask), i(&s.image);
    m.setPen(Qt::NoPen);
    m.setBrush(Qt::black);
    m.drawEllipse(0, 0, w, h);
    i.setPen(Qt::NoPen);
    i.setBrush(colour);
    i.drawEllipse(0, 0, w, h);
    return s;
}

// Four swing frames side by side, each a lopsided shape so mirroring shows.
Sprite racketSheet()
{
    Sprite s{QImage(kFrameW * 4, kFrameH, QImage::Format_RGB32),
             QImage(kFrameW * 4, kFrameH, QImage::Format_RGB32)};
    s.mask.fill(Qt::white);
    s.image.fill(Qt::black);
    QPainter m(&s.mask), i(&s.image);
    for (int f = 0; f < 4; ++f) {
        const QRect head(f * kFrameW + 4 + f * 6, 4, 28, 22), handle(f * kFrameW + 30, 26, 8, 20);
        m.fillRect(head, Qt::black);
        m.fillRect(handle, Qt::black);
        i.fillRect(head, QColor(0xd0, 0x40, 0x30));
        i.fillRect(handle, QColor(0x80, 0x60, 0x20));
    }
    return s;
}

QImage courtPicture()
{
    QImage court(kCourtW, kCourtH, QImage::Format_RGB32);
    court.fill(QColor(0x30, 0x80, 0x40));
    QPainter p(&court);
    p.setPen(Qt::white);
    p.drawRect(20, 30, kCourtW - 41, kCourtH - 61);
    p.drawLine(kCourtW / 2, 30, kCourtW / 2, kCourtH - 31);
    p.fillRect(20, kCourtH / 2 - 1, kCourtW - 40, 3, QColor(0xe0, 0xe0, 0xe0));
    return court;
}

struct Rally
{
    Rally()
        : back(courtPicture())
        , court(kCourtW, kCourtH)
        , ball(ellipseSprite(kBall, kBall, QColor(0xf0, 0xf0, 0x40)))
        , shadow(ellipseSprite(kBall, kBall / 2, Qt::black))
        , racket(racketSheet())
        , computer(ellipseSprite(kFrameW, kFrameH, QColor(0x40, 0x60, 0xe0)))
    {
    }

    void compose(int tick)
    {
        const int bx = 40 + tick % 200, by = 60 + (tick * 3) % 380;
        const int px = 140 + tick % 40 - 20, frame = tick % 4;

        back.clear();
        // Ball shadow, then the ball above it.
        back.bitBlt(bx + 2, by + 20, kBall, kBall / 2, shadow.mask, 0, 0, RasterOp::SrcAnd);
        back.bitBlt(bx, by, kBall, kBall, ball.mask, 0, 0, RasterOp::SrcAnd);
        back.bitBlt(bx, by, kBall, kBall, ball.image, 0, 0, RasterOp::SrcInvert);
        // The player's racket faces left: a mirrored frame from the sheet.
        back.stretchBlt(px + 48, 420, -kFrameW, kFrameH, racket.mask, frame * kFrameW, 0, kFrameW, kFrameH,
                        RasterOp::SrcAnd);
        back.stretchBlt(px + 48, 420, -kFrameW, kFrameH, racket.image, frame * kFrameW, 0, kFrameW, kFrameH,
                        RasterOp::SrcInvert);
        // The computer at the far end.
        back.bitBlt(px - 32, 40, kFrameW, kFrameH, computer.mask, 0, 0, RasterOp::SrcAnd);
        back.bitBlt(px - 32, 40, kFrameW, kFrameH, computer.image, 0, 0, RasterOp::SrcInvert);
        // Onto the visible court.
        court.bitBlt(0, 0, kCourtW, kCourtH, back, 0, 0, RasterOp::SrcCopy);
    }

    Picture back, court;
    Sprite ball, shadow, racket, computer;
};

void BM_ComposeRallyFrame(benchmark::State &state)
{
    Rally rally;
    int tick = 0;
    for (auto _ : state) {
        rally.compose(tick++);
        benchmark::DoNotOptimize(rally.court.image().constBits());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ComposeRallyFrame)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

// The same frame with the game's own objects and pictures: the racket in
// mid-swing, the ball in flight and the computer chasing it, as the frame
// loop runs them.
struct NoPointer : moka::CourtPointer
{
    void CUR_NORMAL() override {}
    void CUR_RACKET() override {}
    void CUR_SWING() override {}
};

void BM_RallyFrameWithGameObjects(benchmark::State &state)
{
    moka::VirtualPlatform platform;
    moka::RallyState rally;
    moka::AppearanceState look;
    moka::SoundModule sound(platform, std::make_unique<moka::SilentDevice>());
    Picture picB(moka::Resources::image(QStringLiteral("court.bmp")));
    Picture picP(kCourtW, kCourtH);
    const Picture picBALL(moka::Resources::image(QStringLiteral("ball.bmp")));
    const Picture picROLL(moka::Resources::image(QStringLiteral("roll.bmp")));
    const Picture picCOM(moka::Resources::image(QStringLiteral("com_racket.bmp")));
    const Picture picCOMsh(moka::Resources::image(QStringLiteral("com_swing.bmp")));
    NoPointer pointer;
    moka::clsBALL ball(rally, sound, platform, picB, picBALL);
    moka::clsRKT racket(rally, ball, sound, picB, picROLL, pointer);
    moka::clsCOM com(rally, look, ball, sound, picB, picCOM, picCOMsh);
    rally.ballInPlay = rally.comActive = true;
    rally.level = 9;
    int frame = 0;
    for (auto _ : state) {
        if (frame % 40 == 0) { // a fresh rally: ball up the court, a swing under way
            ball.setX(141);
            ball.setY(400);
            ball.setFactorX(8);
            ball.setFactorY(-16);
            rally.ballToCom = true;
            rally.clickX = 130 + frame % 20;
            rally.clickY = 420;
            rally.clickButton = 2;
            rally.swingActive = true;
        }
        picB.clear();
        if (rally.swingActive)
            racket.Task();
        ball.Task();
        com.Task();
        picP.bitBlt(0, 0, kCourtW, kCourtH, picB, 0, 0, RasterOp::SrcCopy);
        benchmark::DoNotOptimize(picP.image().constBits());
        ++frame;
    }
}
BENCHMARK(BM_RallyFrameWithGameObjects)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    // The game's pictures are read from its resources through QtGui.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
