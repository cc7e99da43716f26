// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How long one frame of the champion's celebration takes on a 3840 × 2160
// screen: the sequence's own frames in its window, over and over. A firework frame (bursts
// opened in frames 1 to 7, 17 frames) or a confetti frame (10 pieces and 2
// more a frame, the ball around the trophy from frame 21, 38 frames) puts
// back what the frame before drew, steps and draws the particles and has the
// window repaint the places that changed. The frame period is 100 ms.

#include "VirtualPlatform.h"

#include "app/Application.h"
#include "app/GameCelebrationHost.h"
#include "celebration/CFubuki.h"
#include "celebration/CHanabi.h"
#include "celebration/frmPFM.h"

#include <QApplication>
#include <QUuid>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kScreenW = 3840, kScreenH = 2160;

// A celebration window loaded over a busy desktop and prepared as the
// sequence has it before its first frame.
struct Stage
{
    Stage()
        : app(platform, options())
        , host(app)
        , w(host)
    {
        platform.screen = QSize(kScreenW, kScreenH);
        QImage desktop(kScreenW, kScreenH, QImage::Format_RGB32);
        for (int y = 0; y < kScreenH; ++y)
            for (int x = 0; x < kScreenW; ++x)
                desktop.setPixel(x, y, qRgb(x & 255, y & 255, (x ^ y) & 255));
        platform.desktop = desktop;
        w.Form_Load();
        // The offscreen platform's own screen is smaller than this one.
        w.setWindowState(Qt::WindowNoState);
        w.setGeometry(0, 0, kScreenW, kScreenH);
        w.sequence().phasePreparation();
        repaint();
    }

    static moka::Application::Options options()
    {
        moka::Application::Options o;
        o.lockName = QStringLiteral("mokabench-") + QUuid::createUuid().toString(QUuid::Id128);
        return o;
    }

    // The window paints what the frame changed.
    static void repaint() { QCoreApplication::processEvents(); }

    moka::VirtualPlatform platform;
    moka::Application app;
    moka::GameCelebrationHost host;
    moka::frmPFM w;
};

void BM_CelebrationFireworksFrame(benchmark::State &state)
{
    Stage s;
    int n = 0;
    for (auto _ : state) {
        n = n % 17 + 1;
        if (n == 1) { // the burst opened before the first frame
            s.w.sequence().state.particleList.clear();
            s.w.sequence().state.particleList.add(std::make_unique<moka::CHanabi>(s.w.sequence().state));
        }
        s.w.sequence().fireworkFrame(n);
        s.repaint();
    }
}
BENCHMARK(BM_CelebrationFireworksFrame)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void BM_CelebrationConfettiFrame(benchmark::State &state)
{
    Stage s;
    int n = 0;
    for (auto _ : state) {
        n = n % 38 + 1;
        if (n == 1) { // the phase starts with 10 pieces and the ball at the start of its orbit
            s.w.sequence().state.particleList.clear();
            for (int i = 0; i < 10; ++i)
                s.w.sequence().state.particleList.add(std::make_unique<moka::CFubuki>(s.w.sequence().state));
            s.w.sequence().orbitStep = 0;
            s.w.sequence().orbitDone = false;
        }
        s.w.sequence().confettiFrame(n);
        s.repaint();
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
    QApplication::setApplicationName(QStringLiteral("mokaRUNs")); // as the game names itself
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
