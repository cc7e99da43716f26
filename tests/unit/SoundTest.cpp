// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecordingDevice.h"
#include "VirtualPlatform.h"

#include "sound/AudioSinkDevice.h"
#include "sound/EffectVoice.h"
#include "sound/SoundModule.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace moka;

namespace {

// A sound module on the virtual clock, talking to a recording device.
struct Sound
{
    explicit Sound(bool openOk = true, QString error = {})
    {
        auto owned = std::make_unique<RecordingDevice>(openOk, error);
        device = owned.get();
        module = std::make_unique<SoundModule>(platform, std::move(owned));
    }
    void after(std::int64_t ms) { platform.virtualClock().advance(ms); }

    VirtualPlatform platform;
    RecordingDevice *device;
    std::unique_ptr<SoundModule> module;
};

// What a voice hands out for one read of `n` bytes.
QByteArray pull(EffectVoice &voice, qint64 n)
{
    QByteArray out(n, '?');
    out.resize(voice.read(out.data(), n));
    return out;
}

} // namespace

TEST(SoundModule, AnEffectRequestedWhileAnotherSoundsIsDropped)
{
    Sound s;
    ASSERT_TRUE(s.module->SOUND_INIT());
    s.module->PLAY_103(); // a hit: 190 ms
    s.after(100);
    s.module->PLAY_103();
    s.after(89);
    s.module->PLAY_104(); // a miss 189 ms after the hit: not heard
    s.after(1);
    s.module->PLAY_104(); // 190 ms after: the hit is over
    s.after(159);
    s.module->PLAY_105(); // the miss (160 ms) still sounds
    s.after(1);
    s.module->PLAY(105); // by its number, as the announcements ask
    s.after(1000);
    s.module->PLAY(108); // numbers of no effect play nothing
    s.module->PLAY(0);
    EXPECT_EQ(s.device->ids(), (std::vector<int>{103, 104, 105}));
    for (const RecordingDevice::Start &start : s.device->starts)
        EXPECT_FALSE(start.loop);
}

TEST(SoundModule, TheLoopReplacesWhateverPlaysAndHoldsUntilStopped)
{
    Sound s;
    ASSERT_TRUE(s.module->SOUND_INIT());
    s.module->PLAY_101();
    s.after(10);
    s.module->PLAY_106_LOOP(); // cuts the chime short
    ASSERT_EQ(s.device->starts.size(), 2u);
    EXPECT_EQ(s.device->starts[1].id, 106);
    EXPECT_TRUE(s.device->starts[1].loop);

    // Long after one pass of 106 the loop still sounds: others are dropped.
    s.after(10'000);
    s.module->PLAY_103();
    s.module->PLAY_106();
    EXPECT_EQ(s.device->starts.size(), 2u);
    // A second loop request starts it again.
    s.module->PLAY_106_LOOP();
    EXPECT_EQ(s.device->starts.size(), 3u);
}

TEST(SoundModule, StopAndEndSilenceTheLoopAndFreeTheVoice)
{
    for (const bool atShutdown : {false, true}) {
        SCOPED_TRACE(atShutdown ? "SOUND_END" : "SOUND_STOP");
        Sound s;
        ASSERT_TRUE(s.module->SOUND_INIT());
        s.module->PLAY_106_LOOP();
        const int passesBefore = s.platform.eventPasses;
        if (atShutdown)
            s.module->SOUND_END();
        else
            s.module->SOUND_STOP();
        EXPECT_EQ(s.device->stops, 1);
        // The shutdown's stop handles no events; the celebration's does.
        EXPECT_EQ(s.platform.eventPasses > passesBefore, !atShutdown);
        // Nothing sounds any more: the next effect plays at once.
        s.module->PLAY_102();
        EXPECT_EQ(s.device->ids(), (std::vector<int>{106, 102}));
        // A stop cuts a single effect short too.
        s.module->SOUND_STOP();
        s.module->PLAY_103();
        EXPECT_EQ(s.device->ids(), (std::vector<int>{106, 102, 103}));
    }
}

TEST(SoundModule, NothingReachesTheDeviceWhileSoundIsOff)
{
    // Never initialised, and initialisation failed: both leave sound off.
    for (const bool initialise : {false, true}) {
        SCOPED_TRACE(initialise ? "failed SOUND_INIT" : "no SOUND_INIT");
        Sound s(false, QStringLiteral("no way"));
        if (initialise) {
            EXPECT_FALSE(s.module->SOUND_INIT());
        }
        const int opens = s.device->opens;
        const int passes = s.platform.eventPasses;
        s.module->PLAY_101();
        s.module->PLAY_102();
        s.module->PLAY_103();
        s.module->PLAY_104();
        s.module->PLAY_105();
        s.module->PLAY_106();
        s.module->PLAY_107();
        s.module->PLAY_106_LOOP();
        s.module->SOUND_STOP();
        s.module->SOUND_END();
        EXPECT_TRUE(s.device->starts.empty());
        EXPECT_EQ(s.device->stops, 0);
        EXPECT_EQ(s.device->opens, opens);
        EXPECT_EQ(s.platform.eventPasses, passes);
    }
}

TEST(SoundModule, AFailedOpenShowsItsDescriptionOnceAndSwitchesSoundOff)
{
    Sound s(false, QStringLiteral("The sound effects are damaged"));
    EXPECT_FALSE(s.module->SOUND_INIT());
    EXPECT_FALSE(s.module->soundEnabled);
    EXPECT_EQ(s.platform.messages, QStringList{QStringLiteral("The sound effects are damaged")});
    EXPECT_EQ(s.device->opens, 1);

    Sound ok;
    EXPECT_TRUE(ok.module->SOUND_INIT());
    EXPECT_TRUE(ok.module->soundEnabled);
    EXPECT_TRUE(ok.platform.messages.isEmpty());
}

TEST(EffectVoice, PlaysOnceOrLoopsSeamlesslyInWholeFramesWithSilenceBetween)
{
    EffectVoice voice(1, char(0x80));
    ASSERT_TRUE(voice.open(QIODevice::ReadOnly));
    EXPECT_EQ(pull(voice, 2), QByteArray(2, char(0x80)));
    // The end of a single effect is followed by silence in the same read.
    voice.play(QByteArray("ABCDE"), false);
    EXPECT_EQ(pull(voice, 3), QByteArray("ABC"));
    EXPECT_EQ(pull(voice, 4), QByteArray("DE") + QByteArray(2, char(0x80)));
    EXPECT_FALSE(voice.playing());
    // A loop runs on across its end, also when one read spans several passes.
    voice.play(QByteArray("ABCDE"), true);
    EXPECT_EQ(pull(voice, 4), QByteArray("ABCD"));
    EXPECT_EQ(pull(voice, 12), QByteArray("EABCDEABCDEA"));
    // A new effect replaces the loop from its own start; silence stops all.
    voice.play(QByteArray("xyz"), false);
    EXPECT_EQ(pull(voice, 2), QByteArray("xy"));
    voice.silence();
    EXPECT_EQ(pull(voice, 1), QByteArray(1, char(0x80)));

    // 16-bit stereo: 4-byte frames, never split; silence is zero.
    voice.setFormat(4, char(0));
    voice.play(QByteArray("abcdefgh"), true);
    EXPECT_EQ(pull(voice, 7), QByteArray("abcd"));
    EXPECT_EQ(pull(voice, 3), QByteArray());
    EXPECT_EQ(pull(voice, 8), QByteArray("efghabcd"));
    voice.silence();
    EXPECT_EQ(pull(voice, 4), QByteArray(4, char(0)));
}

TEST(AudioSinkDevice, OpensWithTheCompiledInEffectsWithOrWithoutAnOutput)
{
    // Without a sound server (as on a build machine) the device opens all
    // the same and stays silent; with one it opens a stream.
    AudioSinkDevice device;
    QString error;
    ASSERT_TRUE(device.open(error)) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    EXPECT_TRUE(device.format().isValid());
    // Every effect sounds when started and falls silent when stopped;
    // unknown ids are ignored.
    EXPECT_FALSE(device.sounding());
    for (int id = 101; id <= 107; ++id) {
        device.start(id, id == 106);
        EXPECT_TRUE(device.sounding()) << id;
        device.stop();
        EXPECT_FALSE(device.sounding()) << id;
    }
    for (const int id : {0, 100, 108})
        device.start(id, false);
    EXPECT_FALSE(device.sounding());
}
