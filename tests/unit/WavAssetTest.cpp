// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Resources.h"
#include "sound/WavClip.h"

#include <QAudioFormat>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <random>

using namespace moka;

namespace {

struct Effect
{
    int id;
    double seconds;
};

const Effect kEffects[] = {{101, 0.73}, {102, 0.16}, {103, 0.19}, {104, 0.16},
                           {105, 0.44}, {106, 1.87}, {107, 0.45}};

QByteArray effectBytes(int id) { return Resources::bytes(QStringLiteral("se%1.wav").arg(id)); }

quint16 u16(const QByteArray &b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }
quint32 u32(const QByteArray &b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }

// A canonical 8-bit mono 11 025 Hz file around `samples`.
QByteArray makeWav(const QByteArray &samples)
{
    QByteArray out(44, '\0');
    char *p = out.data();
    std::memcpy(p, "RIFF", 4);
    qToLittleEndian<quint32>(quint32(36 + samples.size()), p + 4);
    std::memcpy(p + 8, "WAVEfmt ", 8);
    qToLittleEndian<quint32>(16, p + 16);
    qToLittleEndian<quint16>(1, p + 20);     // PCM
    qToLittleEndian<quint16>(1, p + 22);     // mono
    qToLittleEndian<quint32>(11025, p + 24); // samples per second
    qToLittleEndian<quint32>(11025, p + 28); // bytes per second
    qToLittleEndian<quint16>(1, p + 32);     // block align
    qToLittleEndian<quint16>(8, p + 34);     // bits
    std::memcpy(p + 36, "data", 4);
    qToLittleEndian<quint32>(quint32(samples.size()), p + 40);
    return out + samples;
}

bool fails(const QByteArray &bytes)
{
    QString error;
    const std::optional<WavClip> clip = WavClip::parse(bytes, error);
    return !clip && !error.isEmpty();
}

} // namespace

// The seven effects as compiled in: the file layout byte by byte (read here
// without the game's parser), the length, and the sound itself.
TEST(WavAssets, EachEffectIsMono8Bit11025HzPcmOfItsLength)
{
    for (const Effect &e : kEffects) {
        SCOPED_TRACE(e.id);
        const QByteArray b = effectBytes(e.id);
        ASSERT_GE(b.size(), 44);
        EXPECT_EQ(b.left(4), "RIFF");
        EXPECT_EQ(u32(b, 4), quint32(b.size() - 8));
        EXPECT_EQ(b.mid(8, 8), "WAVEfmt ");
        EXPECT_EQ(u32(b, 16), 16u);
        EXPECT_EQ(u16(b, 20), 1);      // PCM
        EXPECT_EQ(u16(b, 22), 1);      // channels
        EXPECT_EQ(u32(b, 24), 11025u); // samples per second
        EXPECT_EQ(u32(b, 28), 11025u); // bytes per second
        EXPECT_EQ(u16(b, 32), 1);      // block align
        EXPECT_EQ(u16(b, 34), 8);      // bits per sample
        ASSERT_EQ(b.mid(36, 4), "data");
        const qint64 n = u32(b, 40);
        ASSERT_LE(44 + n, b.size());
        EXPECT_NEAR(double(n) / 11025.0, e.seconds, 0.01);
    }
}

TEST(WavAssets, EachEffectIsAudibleUnclippedAndFadedAtBothEnds)
{
    for (const Effect &e : kEffects) {
        SCOPED_TRACE(e.id);
        const QByteArray b = effectBytes(e.id);
        ASSERT_GE(b.size(), 44);
        const QByteArray data = b.mid(44, int(u32(b, 40)));
        ASSERT_GT(data.size(), 100);
        double sum = 0.0;
        int peak = 0, railed = 0;
        for (const char c : data) {
            const int v = quint8(c) - 128;
            sum += double(v) * v;
            peak = std::max(peak, std::abs(v));
            railed += quint8(c) == 0 || quint8(c) == 255;
        }
        const double rms = std::sqrt(sum / data.size());
        EXPECT_GE(peak, 48) << "too quiet";
        EXPECT_GE(rms, 3.0) << "close to silent";
        EXPECT_LE(railed, 4) << "clipped";
        // The first and last few samples sit at the midpoint: no click.
        for (const int i : {0, 1, 2, int(data.size()) - 3, int(data.size()) - 2, int(data.size()) - 1})
            EXPECT_NEAR(quint8(data[i]), 128, 2) << "sample " << i;
    }
}

TEST(WavClip, ReadsEveryEffectAndConvertsItForAnyOutput)
{
    for (const Effect &e : kEffects) {
        SCOPED_TRACE(e.id);
        const QByteArray b = effectBytes(e.id);
        QString error;
        const std::optional<WavClip> clip = WavClip::parse(b, error);
        ASSERT_TRUE(clip) << error.toStdString();
        EXPECT_EQ(clip->sampleRate(), 11025);
        EXPECT_NEAR(clip->lengthMs(), e.seconds * 1000.0, 10.0);

        // In its own format the data passes through bit for bit.
        QAudioFormat own;
        own.setSampleRate(11025);
        own.setChannelCount(1);
        own.setSampleFormat(QAudioFormat::UInt8);
        EXPECT_EQ(clip->convertedTo(own), b.mid(44, int(u32(b, 40))));

        // A typical sound server format: same length, the same sound in both
        // channels, as loud (RMS) and in the same place (the energy's centre
        // in time) as the original.
        QAudioFormat server;
        server.setSampleRate(48000);
        server.setChannelCount(2);
        server.setSampleFormat(QAudioFormat::Int16);
        const QByteArray pcm = clip->convertedTo(server);
        const qint64 frames = pcm.size() / 4;
        EXPECT_NEAR(double(frames) / 48000.0, e.seconds, 0.01);
        const auto *s = reinterpret_cast<const qint16 *>(pcm.constData());
        double energy = 0.0, moment = 0.0;
        for (qint64 i = 0; i < frames; ++i) {
            ASSERT_EQ(s[2 * i], s[2 * i + 1]);
            const double v = s[2 * i] / 32768.0;
            energy += v * v;
            moment += v * v * double(i) / 48000.0;
        }
        double srcEnergy = 0.0, srcMoment = 0.0;
        for (size_t i = 0; i < clip->samples().size(); ++i) {
            const double v = clip->samples()[i];
            srcEnergy += v * v;
            srcMoment += v * v * double(i) / 11025.0;
        }
        ASSERT_GT(srcEnergy, 0.0);
        EXPECT_NEAR(std::sqrt(energy / double(frames)) /
                        std::sqrt(srcEnergy / double(clip->samples().size())),
                    1.0, 0.1);
        EXPECT_NEAR(moment / energy, srcMoment / srcEnergy, 0.002);
    }
}

TEST(WavClip, SkipsUnknownChunksWithTheirPadByte)
{
    QByteArray wav = makeWav(QByteArray("\x80\xff\x00", 3));
    wav.insert(36, QByteArray("LIST\x03\x00\x00\x00"
                              "abc\0",
                              12));
    QString error;
    const std::optional<WavClip> clip = WavClip::parse(wav, error);
    ASSERT_TRUE(clip) << error.toStdString();
    ASSERT_EQ(clip->samples().size(), 3u);
    EXPECT_FLOAT_EQ(clip->samples()[1], 127.0f / 128.0f);
    EXPECT_FLOAT_EQ(clip->samples()[2], -1.0f);
}

TEST(WavClip, RefusesDamagedFilesCleanly)
{
    const QByteArray good = effectBytes(103);
    ASSERT_FALSE(good.isEmpty());

    // Every version cut short of the end of its samples fails.
    const int end = 44 + int(u32(good, 40));
    for (int n = 0; n < end; ++n)
        ASSERT_TRUE(fails(good.left(n))) << "cut at " << n;
    QString error;
    EXPECT_TRUE(WavClip::parse(good.left(end), error).has_value());

    // Headers that lie: a field at a byte offset is overwritten.
    struct Lie
    {
        int at, bytes;
        quint32 value;
    };
    const Lie lies[] = {
        {20, 2, 3},           // not PCM
        {22, 2, 0},           // no channels
        {22, 2, 6},           // too many channels
        {34, 2, 12},          // odd sample size
        {24, 4, 0},           // no rate
        {32, 2, 0},           // block align 0
        {40, 4, 0},           // no samples
        {40, 4, 0xFFFFFFFFu}, // data running past the end
        {16, 4, 0xFFFFFFF0u}, // format chunk running past the end
        {12, 4, 0x6b6e756a},  // "junk": no format chunk
        {8, 4, 0x20495641},   // "AVI ", not WAVE
    };
    for (const Lie &lie : lies) {
        QByteArray wav = makeWav(QByteArray(100, char(0x90)));
        if (lie.bytes == 2)
            qToLittleEndian<quint16>(quint16(lie.value), wav.data() + lie.at);
        else
            qToLittleEndian<quint32>(lie.value, wav.data() + lie.at);
        EXPECT_TRUE(fails(wav)) << "field at " << lie.at;
    }

    // Noise, with and without a plausible start.
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        QByteArray junk(int(random() % 200), '\0');
        for (char &c : junk)
            c = char(random());
        if (round % 2)
            junk.prepend(QByteArray("RIFF\x10\x00\x00\x00WAVE", 12));
        QString why;
        const std::optional<WavClip> clip = WavClip::parse(junk, why);
        EXPECT_EQ(bool(clip), why.isEmpty());
    }
}
