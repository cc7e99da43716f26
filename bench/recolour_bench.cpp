// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What recolouring costs when a round starts: the court at the purple
// scheme made into the back buffer's picture and copied onto the visible
// court, and the computer's two racket pictures.

#include "platform/Picture.h"
#include "platform/Recolour.h"
#include "platform/Resources.h"

#include <QImage>
#include <benchmark/benchmark.h>

namespace {

using moka::Picture;
using moka::RasterOp;
using moka::Recolour;
using moka::Resources;

constexpr int kCourtW = 281, kCourtH = 513;

// Level 7: courtColor 2, then picB takes the result and picP gets a copy.
void BM_CourtPurpleIntoPictures(benchmark::State &state)
{
    const QImage court = Resources::image(QStringLiteral("court.bmp"));
    Picture back, visible(kCourtW, kCourtH);
    for (auto _ : state) {
        back.setPicture(Recolour::SET_COURT_COLOR(court, 2));
        visible.bitBlt(0, 0, kCourtW, kCourtH, back, 0, 0, RasterOp::SrcCopy);
        benchmark::DoNotOptimize(visible.image().constBits());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CourtPurpleIntoPictures)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// Level 7's silver racket: each picture recoloured and made a Picture.
void racketIntoPicture(benchmark::State &state, const char *name)
{
    const QImage picture = Resources::image(QString::fromLatin1(name));
    Picture target;
    for (auto _ : state) {
        target.setPicture(Recolour::SET_RKT_COLOR(picture, 7));
        benchmark::DoNotOptimize(target.image().constBits());
        benchmark::ClobberMemory();
    }
}

void BM_RacketRestIntoPicture(benchmark::State &state) { racketIntoPicture(state, "com_racket.bmp"); }
void BM_RacketSwingIntoPicture(benchmark::State &state) { racketIntoPicture(state, "com_swing.bmp"); }
BENCHMARK(BM_RacketRestIntoPicture)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_RacketSwingIntoPicture)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
