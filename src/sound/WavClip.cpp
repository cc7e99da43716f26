// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sound/WavClip.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace moka {

namespace {

quint16 le16(const char *p) { return qFromLittleEndian<quint16>(p); }
quint32 le32(const char *p) { return qFromLittleEndian<quint32>(p); }

// Writes one sample in [-1, 1] in the sample type of `format`. The scales
// mirror the reading side, so 8-bit data passes through unchanged.
void putSample(char *out, float v, QAudioFormat::SampleFormat type)
{
    const double x = std::clamp(double(v), -1.0, 1.0);
    switch (type) {
    case QAudioFormat::UInt8: {
        const auto s = static_cast<quint8>(std::clamp(std::lround(128.0 + x * 128.0), 0L, 255L));
        std::memcpy(out, &s, 1);
        break;
    }
    case QAudioFormat::Int16: {
        const auto s = static_cast<qint16>(std::clamp(std::lround(x * 32768.0), -32768L, 32767L));
        std::memcpy(out, &s, 2);
        break;
    }
    case QAudioFormat::Int32: {
        const auto s =
            static_cast<qint32>(std::clamp(std::llround(x * 2147483648.0), -2147483648LL, 2147483647LL));
        std::memcpy(out, &s, 4);
        break;
    }
    case QAudioFormat::Float: {
        const auto s = float(x);
        std::memcpy(out, &s, 4);
        break;
    }
    default: break;
    }
}

} // namespace

std::optional<WavClip> WavClip::parse(const QByteArray &bytes, QString &error)
{
    const char *p = bytes.constData();
    const qint64 size = bytes.size();
    if (size < 12 || std::memcmp(p, "RIFF", 4) != 0 || std::memcmp(p + 8, "WAVE", 4) != 0) {
        error = QStringLiteral("not a RIFF/WAVE file");
        return std::nullopt;
    }

    const char *fmt = nullptr;
    const char *data = nullptr;
    qint64 dataBytes = 0;
    // Chunks follow one another, each padded to an even size; unknown ones
    // are skipped. Sizes are checked against the bytes that are really there.
    for (qint64 at = 12; at + 8 <= size;) {
        const char *chunk = p + at;
        const qint64 length = le32(chunk + 4);
        const qint64 room = size - at - 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (length < 16 || length > room) {
                error = QStringLiteral("broken format chunk");
                return std::nullopt;
            }
            fmt = chunk + 8;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (length > room) {
                error = QStringLiteral("the sample data is cut short");
                return std::nullopt;
            }
            data = chunk + 8;
            dataBytes = length;
            break;
        }
        at += 8 + length + (length & 1);
    }
    if (!fmt) {
        error = QStringLiteral("no format chunk");
        return std::nullopt;
    }
    if (!data) {
        error = QStringLiteral("no sample data");
        return std::nullopt;
    }

    WavClip clip;
    const int tag = le16(fmt);
    clip.m_channels = le16(fmt + 2);
    clip.m_rate = int(le32(fmt + 4));
    const int blockAlign = le16(fmt + 12);
    clip.m_bits = le16(fmt + 14);
    if (tag != 1) {
        error = QStringLiteral("not PCM (format %1)").arg(tag);
        return std::nullopt;
    }
    if (clip.m_channels < 1 || clip.m_channels > 2 || (clip.m_bits != 8 && clip.m_bits != 16) ||
        clip.m_rate < 1000 || clip.m_rate > 192000 || blockAlign != clip.m_channels * clip.m_bits / 8) {
        error = QStringLiteral("unsupported PCM layout (%1 channels, %2 bits, %3 Hz)")
                    .arg(clip.m_channels)
                    .arg(clip.m_bits)
                    .arg(clip.m_rate);
        return std::nullopt;
    }
    const qint64 frames = dataBytes / blockAlign;
    if (frames == 0) {
        error = QStringLiteral("no samples");
        return std::nullopt;
    }

    clip.m_samples.resize(size_t(frames));
    for (qint64 i = 0; i < frames; ++i) {
        const char *frame = data + i * blockAlign;
        float sum = 0.0f;
        for (int c = 0; c < clip.m_channels; ++c) {
            if (clip.m_bits == 8)
                sum += (float(quint8(frame[c])) - 128.0f) / 128.0f;
            else
                sum += float(qint16(le16(frame + 2 * c))) / 32768.0f;
        }
        clip.m_samples[size_t(i)] = sum / float(clip.m_channels);
    }
    return clip;
}

int WavClip::lengthMs() const
{
    return m_rate > 0 ? int(std::lround(double(m_samples.size()) * 1000.0 / m_rate)) : 0;
}

QByteArray WavClip::convertedTo(const QAudioFormat &format) const
{
    const int bytesPerSample = format.bytesPerSample();
    const int channels = format.channelCount();
    if (!format.isValid() || bytesPerSample <= 0 || channels <= 0 || m_samples.empty())
        return {};

    const double step = double(m_rate) / format.sampleRate(); // source samples per output frame
    const qint64 frames = std::max<qint64>(1, std::llround(double(m_samples.size()) / step));
    QByteArray out(frames * channels * bytesPerSample, Qt::Uninitialized);
    char *dst = out.data();
    // Cubic (Catmull-Rom) between the samples: unlike a straight line it
    // keeps the upper half of the band, where the clicks and swooshes live.
    const qint64 n = qint64(m_samples.size());
    auto at = [this, n](qint64 k) { return k < 0 || k >= n ? 0.0f : m_samples[size_t(k)]; };
    for (qint64 i = 0; i < frames; ++i) {
        const double pos = double(i) * step;
        const qint64 k = qint64(pos);
        const float t = float(pos - double(k));
        const float a = at(k - 1), b = at(k), c = at(k + 1), d = at(k + 2);
        const float v =
            b + 0.5f * t * (c - a + t * (2.0f * a - 5.0f * b + 4.0f * c - d + t * (3.0f * (b - c) + d - a)));
        for (int ch = 0; ch < channels; ++ch, dst += bytesPerSample)
            putSample(dst, v, format.sampleFormat());
    }
    return out;
}

} // namespace moka
