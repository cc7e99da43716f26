// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace moka {

// One sound read from a RIFF/WAVE file: uncompressed PCM, 8 bits unsigned or
// 16 bits signed, one or two channels. Kept as mono samples in [-1, 1].
class WavClip
{
public:
    // Reads a whole WAV file. Anything but a well-formed PCM file of the kinds
    // above (too short, wrong tags, chunks running past the end, a strange
    // format, no samples) gives nullopt and a description in `error`.
    static std::optional<WavClip> parse(const QByteArray &bytes, QString &error);

    int sampleRate() const { return m_rate; }
    int channels() const { return m_channels; }
    int bitsPerSample() const { return m_bits; }
    const std::vector<float> &samples() const { return m_samples; }
    // Length in milliseconds, rounded.
    int lengthMs() const;

    // The clip in `format`: resampled (cubic) to its rate, copied to each of
    // its channels, in its sample type. Empty when the format is invalid.
    QByteArray convertedTo(const QAudioFormat &format) const;

private:
    int m_rate = 0;
    int m_channels = 0;
    int m_bits = 0;
    std::vector<float> m_samples;
};

} // namespace moka
