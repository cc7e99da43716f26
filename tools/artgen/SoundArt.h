// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

#include <vector>

namespace moka {

// The seven sound effects, synthesised from scratch and written as WAV files:
// mono PCM, 11 025 samples per second, 8 bits unsigned (128 is silence).
//   101 announcement chime     102 click            103 racket "pok"
//   104 swing whiff            105 goal buzzer      106 victory fanfare (loops)
//   107 falling "lost" phrase
// The output is the same on every run: the noise comes from a fixed seed.
class SoundArt
{
public:
    static constexpr int kRate = 11025;
    static constexpr int kFirstId = 101;
    static constexpr int kLastId = 107;

    // Number of samples of effect `id` (0 for an unknown id).
    static int sampleCount(int id);
    // The effect as 8-bit unsigned samples; empty for an unknown id.
    static std::vector<unsigned char> samples(int id);
    // The whole WAV file; empty for an unknown id.
    static QByteArray wav(int id);
    // A 44-byte header and the data, for any 8-bit mono clip.
    static QByteArray wavFile(const std::vector<unsigned char> &samples, int rate);
};

} // namespace moka
