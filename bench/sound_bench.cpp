// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How long a play call takes: PLAY_103 through the sound module and the real
// output (whatever this machine has: a sound server, or none and silence),
// the device's start alone, and for comparison Qt's QSoundEffect::play() on
// the same effect. The game calls these from inside a frame; they must
// return well within a millisecond.

#include "VirtualPlatform.h"

#include "platform/Resources.h"
#include "sound/AudioSinkDevice.h"
#include "sound/SoundModule.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSoundEffect>
#include <QUrl>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {

using namespace moka;

// Runs the event loop for `ms`, as the game does between frames.
void runEvents(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

// The whole play operation: the module's two event passes (which also feed
// the output) and the device's start. The virtual clock moves on past the
// effect's end each time, so no request is dropped.
void BM_PLAY_103(benchmark::State &state)
{
    VirtualPlatform platform;
    auto owned = std::make_unique<AudioSinkDevice>();
    AudioSinkDevice *device = owned.get();
    SoundModule sound(platform, std::move(owned));
    if (!sound.SOUND_INIT()) {
        state.SkipWithError("the sound effects did not load");
        return;
    }
    runEvents(200);
    for (auto _ : state) {
        platform.virtualClock().advance(SoundModule::lengthMs(103));
        sound.PLAY_103();
    }
    state.SetLabel(device->hasOutput() ? "audio output" : "no audio output: silent");
}
BENCHMARK(BM_PLAY_103)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The same between frames of a running game: the output is fed from the
// event loop all along, so a call may also hand it its next piece. The
// slowest call counts.
void BM_PLAY_103_between_frames(benchmark::State &state)
{
    VirtualPlatform platform;
    auto owned = std::make_unique<AudioSinkDevice>();
    AudioSinkDevice *device = owned.get();
    SoundModule sound(platform, std::move(owned));
    if (!sound.SOUND_INIT()) {
        state.SkipWithError("the sound effects did not load");
        return;
    }
    QElapsedTimer call;
    qint64 slowest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        runEvents(3);
        platform.virtualClock().advance(SoundModule::lengthMs(103));
        state.ResumeTiming();
        call.start();
        sound.PLAY_103();
        slowest = std::max(slowest, call.nsecsElapsed());
    }
    state.counters["slowest_us"] = double(slowest) / 1000.0;
    state.SetLabel(device->hasOutput() ? "audio output" : "no audio output: silent");
}
BENCHMARK(BM_PLAY_103_between_frames)->Unit(benchmark::kMicrosecond)->Iterations(1000);

// The device alone: swapping the voice's clip.
void BM_AudioSinkDevice_start(benchmark::State &state)
{
    AudioSinkDevice device;
    QString error;
    if (!device.open(error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    for (auto _ : state)
        device.start(103, false);
    device.stop();
    state.SetLabel(device.hasOutput() ? "audio output" : "no audio output: silent");
}
BENCHMARK(BM_AudioSinkDevice_start)->Unit(benchmark::kMicrosecond);

// How soon the stream takes the first piece of an effect: while it runs
// (fed silence between effects), and after it rested (corked) for want of
// sound. The game's frames are 60 to 120 ms apart; either must be well
// inside one.
void effectTaken(benchmark::State &state, bool afterRest)
{
    AudioSinkDevice device;
    QString error;
    if (!device.open(error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    if (!device.hasOutput()) {
        state.SkipWithError("no audio output");
        return;
    }
    QElapsedTimer timer;
    for (auto _ : state) {
        state.PauseTiming();
        device.stop();
        runEvents(50);
        if (afterRest) {
            timer.start();
            while (!device.resting() && timer.elapsed() < 10000)
                runEvents(20);
            if (!device.resting()) {
                state.SkipWithError("the stream did not rest");
                return;
            }
        }
        const qint64 before = device.effectBytesTaken();
        state.ResumeTiming();
        device.start(103, false);
        while (device.effectBytesTaken() == before)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
}
void BM_EffectTaken_running(benchmark::State &state) { effectTaken(state, false); }
void BM_EffectTaken_afterRest(benchmark::State &state) { effectTaken(state, true); }
BENCHMARK(BM_EffectTaken_running)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_EffectTaken_afterRest)->Unit(benchmark::kMillisecond)->Iterations(3);

// QSoundEffect for comparison: one play() each time the previous effect has
// had time to end, as a game would use it.
void BM_QSoundEffect_play(benchmark::State &state)
{
    QSoundEffect effect;
    effect.setSource(QUrl(QStringLiteral("qrc") + Resources::path(QStringLiteral("se103.wav"))));
    QElapsedTimer timer;
    timer.start();
    while (effect.status() != QSoundEffect::Ready && effect.status() != QSoundEffect::Error &&
           timer.elapsed() < 3000)
        runEvents(5);
    if (effect.status() != QSoundEffect::Ready) {
        state.SkipWithError("QSoundEffect did not load the effect (no audio output?)");
        return;
    }
    for (auto _ : state) {
        effect.play();
        state.PauseTiming();
        runEvents(250);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_QSoundEffect_play)->Unit(benchmark::kMicrosecond)->Iterations(20);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
