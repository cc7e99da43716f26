// How long one frame of the champion's celebration takes on a 1920 × 1080
// screen: restore the screen copy, step and draw the particles (eight
// firework bursts, or 86 pieces of confetti with the orbiting ball), draw the
// trophy with its mask and copy the whole frame onto the window's surface.
// The frame period is 100 ms.

#include "VirtualPlatform.h"

#include "app/Application.h"
#include "celebration/CFubuki.h"
#include "celebration/CHanabi.h"
#include "celebration/frmPFM.h"

#include <QApplication>
#include <QUuid>
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

using moka::Picture;
using moka::RasterOp;

constexpr int kScreenW = 1920, kScreenH = 1080;

// A celebration window prepared as the sequence has it before its first
// frame, over a busy desktop, with a window surface to copy each frame to.
struct Stage
{
    Stage()
        : app(platform, options())
        , w(app)
        , window(kScreenW, kScreenH)
    {
        platform.screen = QSize(kScreenW, kScreenH);
        QImage desktop(kScreenW, kScreenH, QImage::Format_RGB32);
        for (int y = 0; y < kScreenH; ++y)
            for (int x = 0; x < kScreenW; ++x)
                desktop.setPixel(x, y, qRgb(x & 255, y & 255, (x ^ y) & 255));
        w.state.screenW = kScreenW;
        w.state.screenH = kScreenH;
        w.state.picAAA = &w.picAAA;
        w.state.picQQQ = &w.picQQQ;
        w.state.Rnd = [this] { return std::uniform_real_distribution<double>(0.0, 1.0)(rng); };
        w.picAAA.setPicture(desktop);
        w.centerX = kScreenW / 2;
        w.centerY = kScreenH / 2;
        w.trophyX = w.centerX - 106;
        w.trophyY = w.centerY - 170;
        w.LOAD_CUP();
        w.YB_SETTING();
        w.SET_E();
        w.SET_COSIN_L();
    }

    static moka::Application::Options options()
    {
        moka::Application::Options o;
        o.lockName = QStringLiteral("mokabench-") + QUuid::createUuid().toString(QUuid::Id128);
        return o;
    }

    void trophyAndCopy()
    {
        w.picAAA.bitBlt(w.trophyX, w.trophyY, 270, 310, w.picM, 0, 0, RasterOp::SrcAnd);
        w.picAAA.bitBlt(w.trophyX, w.trophyY, 270, 310, w.picW, 0, 0, RasterOp::SrcInvert);
        window.bitBlt(0, 0, kScreenW, kScreenH, w.picAAA, 0, 0, RasterOp::SrcCopy);
        benchmark::DoNotOptimize(window.image().constBits());
        benchmark::ClobberMemory();
    }

    moka::VirtualPlatform platform;
    moka::Application app;
    moka::frmPFM w;
    Picture window;
    std::mt19937 rng{12345};
};

// Eight bursts alive at once, at staggered steps, as in the firework phase.
void BM_CelebrationFireworksFrame(benchmark::State &state)
{
    Stage s;
    int colour = 0;
    for (auto _ : state) {
        s.w.picAAA.clear();
        while (s.w.state.particleList.count() < 8) {
            s.w.state.burstColor = qRgb((colour & 1) * 255, (colour & 2) * 127, (colour & 4) * 63);
            ++colour;
            s.w.state.particleList.add(std::make_unique<moka::CHanabi>(s.w.state));
        }
        s.w.state.particleList.taskAll();
        s.trophyAndCopy();
    }
}
BENCHMARK(BM_CelebrationFireworksFrame)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// The last frame of the confetti phase: 86 pieces falling and the ball on
// its way around the trophy.
void BM_CelebrationConfettiFrame(benchmark::State &state)
{
    Stage s;
    for (auto _ : state) {
        s.w.picAAA.clear();
        while (s.w.state.particleList.count() < 86)
            s.w.state.particleList.add(std::make_unique<moka::CFubuki>(s.w.state));
        s.w.state.particleList.taskAll();
        if (s.w.orbitDone) {
            s.w.orbitDone = false;
            s.w.orbitStep = 0;
        }
        s.w.YB_STEP();
        s.trophyAndCopy();
    }
}
BENCHMARK(BM_CelebrationConfettiFrame)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    // The window and its pictures need widgets, not a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
