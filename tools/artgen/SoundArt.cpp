// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SoundArt.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

namespace moka {

namespace {

using Signal = std::vector<double>;

constexpr double kPi = 3.14159265358979323846;
constexpr double kDt = 1.0 / SoundArt::kRate;
// Partials above this are left out: at 11 025 samples per second they would
// fold back as harsh, unrelated tones.
constexpr double kTopHz = 5000.0;
// Every effect starts and ends in silence: a short rise at the start and a
// longer fall at the end, so no effect clicks when it starts or stops.
constexpr double kFadeIn = 0.003;
constexpr double kFadeOut = 0.010;

double midiHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

// Length of each effect in samples, from its length in seconds.
int samplesFor(double seconds) { return int(std::lround(seconds * SoundArt::kRate)); }

// White noise from a fixed seed (xorshift32), in [-1, 1).
class Noise
{
public:
    explicit Noise(std::uint32_t seed)
        : m_state(seed)
    {
    }
    double next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return double(m_state) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t m_state;
};

// A band-pass filter (the usual biquad, 0 dB at its centre) whose centre
// may move from one sample to the next.
class BandPass
{
public:
    double step(double in, double hz, double q)
    {
        const double w = 2.0 * kPi * hz * kDt;
        const double alpha = std::sin(w) / (2.0 * q);
        const double a0 = 1.0 + alpha;
        const double b0 = alpha / a0, b2 = -alpha / a0;
        const double a1 = -2.0 * std::cos(w) / a0, a2 = (1.0 - alpha) / a0;
        const double out = b0 * in + b2 * m_x2 - a1 * m_y1 - a2 * m_y2;
        m_x2 = m_x1;
        m_x1 = in;
        m_y2 = m_y1;
        m_y1 = out;
        return out;
    }

private:
    double m_x1 = 0.0, m_x2 = 0.0, m_y1 = 0.0, m_y2 = 0.0;
};

// Rises over `attack`, then decays with time constant `tau` (0: holds), and
// falls to zero over the last `release` of `length`. A smooth (raised
// cosine) shape at both ends.
double envelope(double t, double length, double attack, double tau, double release)
{
    if (t < 0.0 || t >= length)
        return 0.0;
    double e = 1.0;
    if (t < attack)
        e = 0.5 - 0.5 * std::cos(kPi * t / attack);
    else if (tau > 0.0)
        e = std::exp(-(t - attack) / tau);
    const double tail = length - t;
    if (tail < release)
        e *= 0.5 - 0.5 * std::cos(kPi * tail / release);
    return e;
}

// One voice of harmonic partials. `hz(t)` is the pitch, `partial(n, t)` the
// weight of harmonic n (1 = fundamental), `env(t)` the loudness; t counts
// from the voice's own start. The phase is integrated, so pitch glides are
// smooth.
void addVoice(Signal &s, double start, double length, const std::function<double(double)> &hz,
              const std::function<double(int, double)> &partial, const std::function<double(double)> &env)
{
    const int first = std::max(0, samplesFor(start));
    const int last = std::min(int(s.size()), samplesFor(start + length));
    double phase = 0.0; // in turns of the fundamental
    for (int i = first; i < last; ++i) {
        const double t = i * kDt - start;
        const double f = hz(t);
        double v = 0.0;
        for (int n = 1; n * f < kTopHz; ++n)
            v += partial(n, t) * std::sin(2.0 * kPi * n * phase);
        s[i] += env(t) * v;
        phase += f * kDt;
        phase -= std::floor(phase);
    }
}

// 101: a rising arpeggio of bell-like notes, G5 C6 E6 G6, each ringing on.
Signal chime(int count)
{
    Signal s(count, 0.0);
    const double total = double(count) / SoundArt::kRate;
    const double notes[] = {79, 84, 88, 91};
    for (int k = 0; k < 4; ++k) {
        const double start = 0.004 + 0.085 * k;
        const double f = midiHz(notes[k]);
        const double tau = k == 3 ? 0.22 : 0.13;
        addVoice(
            s, start, total - start, [f](double) { return f; },
            // A bright strike that mellows: the upper partials die first.
            [](int n, double t) {
                return n > 3 ? 0.0 : std::pow(0.32, n - 1) * std::exp(-(n - 1) * t / 0.08);
            },
            [=](double t) { return (k == 3 ? 1.0 : 0.8) * envelope(t, total - start, 0.002, tau, 0.02); });
    }
    return s;
}

// 102: a short, dry tick, like a small wooden switch.
Signal click(int count)
{
    Signal s(count, 0.0);
    const double start = 0.004;
    addVoice(
        s, start, 0.08, [](double) { return 1900.0; }, [](int n, double) { return n == 1 ? 1.0 : 0.0; },
        [](double t) { return envelope(t, 0.08, 0.0005, 0.009, 0.01); });
    addVoice(
        s, start, 0.05, [](double) { return 2950.0; }, [](int n, double) { return n == 1 ? 0.5 : 0.0; },
        [](double t) { return envelope(t, 0.05, 0.0005, 0.005, 0.01); });
    Noise noise(102);
    BandPass band;
    for (int i = samplesFor(start); i < samplesFor(start + 0.02); ++i) {
        const double t = i * kDt - start;
        s[i] += 0.8 * band.step(noise.next(), 3500.0, 1.2) * envelope(t, 0.02, 0.0003, 0.0015, 0.005);
    }
    return s;
}

// 103: the ball on the strings, a hollow "pok": a knock that drops quickly in
// pitch, a woody overtone and a crisp burst of noise at the impact.
Signal pok(int count)
{
    Signal s(count, 0.0);
    const double start = 0.004;
    const double length = 0.17;
    addVoice(
        s, start, length, [](double t) { return 560.0 + 620.0 * std::exp(-t / 0.006); },
        [](int n, double t) {
            if (n == 1)
                return 1.0;
            if (n == 2)
                return 0.35 * std::exp(-t / 0.012);
            return 0.0;
        },
        [length](double t) { return envelope(t, length, 0.0007, 0.032, 0.03); });
    Noise noise(103);
    BandPass band;
    for (int i = samplesFor(start); i < samplesFor(start + 0.03); ++i) {
        const double t = i * kDt - start;
        s[i] += 1.4 * band.step(noise.next(), 2600.0, 2.0) * envelope(t, 0.03, 0.0003, 0.003, 0.01);
    }
    return s;
}

// 104: a racket cutting the air: noise through a band-pass that sweeps up
// and back down while the whoosh swells and fades.
Signal whiff(int count)
{
    Signal s(count, 0.0);
    const double length = double(count) / SoundArt::kRate;
    Noise noise(104);
    BandPass band;
    for (int i = 0; i < count; ++i) {
        const double x = i * kDt / length; // 0 … 1
        const double centre = 700.0 + 2000.0 * std::sin(kPi * std::pow(x, 0.8));
        // Swells to its loudest 40 % of the way through.
        const double swell = std::pow(std::sin(kPi * std::pow(x, 0.75)), 2.0);
        s[i] = swell * band.step(noise.next(), centre, 1.8);
    }
    return s;
}

// 105: the goal buzzer: two buzzy tones a fifth apart, each doubled with a
// slightly detuned twin so they beat, held and then cut off softly.
Signal buzzer(int count)
{
    Signal s(count, 0.0);
    const double length = double(count) / SoundArt::kRate - 0.004;
    for (const double hz : {196.0, 197.3, 294.0, 296.1}) {
        addVoice(
            s, 0.004, length, [hz](double) { return hz; },
            // Rounded off above 4 kHz: a buzz, not a rasp.
            [hz](int n, double) { return n * hz > 4000.0 ? 0.0 : std::pow(n, -1.2); },
            [length](double t) { return envelope(t, length, 0.008, 0.0, 0.05); });
    }
    return s;
}

// 106: a brass fanfare in C, sixteen steps to the loop: G4 C5 E5 G5· E5 G5·
// C6 (held) and a breath of rest, over a bass line. The rest and the final
// release bring it to silence exactly at the end, so it loops seamlessly.
Signal fanfare(int count)
{
    Signal s(count, 0.0);
    const double step = double(count) / SoundArt::kRate / 16.0;
    struct Note
    {
        double note;
        int at, steps;
    };
    // Brass: bright at the attack, mellowing and settling as the note holds.
    auto brass = [&s, step](const Note &n, double gain, double vibrato) {
        const double f = midiHz(n.note);
        const double start = n.at * step;
        const double length = n.steps * step;
        addVoice(
            s, start, length,
            [f, vibrato](double t) {
                return f * (1.0 + (t > 0.15 ? vibrato * std::sin(2.0 * kPi * 5.5 * (t - 0.15)) : 0.0));
            },
            [](int k, double t) { return std::pow(k, -1.1) * std::exp(-(k - 1) * (0.15 + 0.25 * t)); },
            [=](double t) {
                return gain * (0.75 + 0.25 * std::exp(-t / 0.08)) * envelope(t, length, 0.018, 0.0, 0.04);
            });
    };
    const Note melody[] = {{67, 0, 1}, {72, 1, 1}, {76, 2, 1}, {79, 3, 2},
                           {76, 5, 1}, {79, 6, 2}, {84, 8, 7}};
    for (const Note &n : melody)
        brass(n, 1.0, n.steps > 2 ? 0.004 : 0.0);
    const Note bass[] = {{48, 0, 3}, {43, 3, 3}, {48, 6, 2}, {48, 8, 7}};
    for (const Note &n : bass)
        brass(n, 0.55, 0.0);
    // The held chord under the last note.
    for (const double note : {64.0, 67.0})
        brass({note, 8, 7}, 0.3, 0.0);
    return s;
}

// 107: the match is lost: three muted "wah"s sinking by semitones, the last
// one sliding further down and wobbling away.
Signal lost(int count)
{
    Signal s(count, 0.0);
    struct Wah
    {
        double note, start, length, slide;
    };
    const double total = double(count) / SoundArt::kRate;
    const Wah wahs[] = {{64, 0.004, 0.12, 0.0}, {63, 0.125, 0.12, 0.0}, {62, 0.246, total - 0.246, -2.0}};
    for (const Wah &w : wahs) {
        addVoice(
            s, w.start, w.length,
            [w](double t) {
                const double slide = t > 0.06 ? w.slide * std::min(1.0, (t - 0.06) / 0.12) : 0.0;
                const double wobble = t > 0.06 && w.slide != 0.0 ? 0.25 * std::sin(2.0 * kPi * 7.0 * t) : 0.0;
                return midiHz(w.note + slide + wobble);
            },
            // The mute opens as the note speaks ("wah") and closes again.
            [w](int n, double t) {
                const double open = std::sin(kPi * std::min(1.0, t / w.length));
                return std::pow(n, -1.3) * std::exp(-(n - 1) * (1.2 - 0.8 * open));
            },
            [w](double t) { return envelope(t, w.length, 0.012, 0.0, 0.035); });
    }
    return s;
}

// Scales to `peak` of full scale, fades both ends and quantises to 8 bits.
std::vector<unsigned char> finish(Signal s, double peak)
{
    double top = 0.0;
    for (double v : s)
        top = std::max(top, std::abs(v));
    const double scale = top > 0.0 ? peak * 127.0 / top : 0.0;
    const int n = int(s.size());
    const int in = samplesFor(kFadeIn), out = samplesFor(kFadeOut);
    std::vector<unsigned char> bytes(n);
    for (int i = 0; i < n; ++i) {
        double g = 1.0;
        if (i < in)
            g = 0.5 - 0.5 * std::cos(kPi * i / in);
        const int fromEnd = n - 1 - i;
        if (fromEnd < out)
            g *= 0.5 - 0.5 * std::cos(kPi * fromEnd / out);
        const long v = std::lround(128.0 + s[i] * scale * g);
        bytes[i] = static_cast<unsigned char>(std::clamp(v, 1L, 254L));
    }
    return bytes;
}

void putTag(QByteArray &out, const char *tag) { out.append(tag, 4); }
void put32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}
void put16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

} // namespace

int SoundArt::sampleCount(int id)
{
    switch (id) {
    case 101: return samplesFor(0.73);
    case 102: return samplesFor(0.16);
    case 103: return samplesFor(0.19);
    case 104: return samplesFor(0.16);
    case 105: return samplesFor(0.44);
    case 106: return samplesFor(1.87);
    case 107: return samplesFor(0.45);
    default: return 0;
    }
}

std::vector<unsigned char> SoundArt::samples(int id)
{
    const int n = sampleCount(id);
    switch (id) {
    case 101: return finish(chime(n), 0.80);
    case 102: return finish(click(n), 0.60);
    case 103: return finish(pok(n), 0.85);
    case 104: return finish(whiff(n), 0.70);
    case 105: return finish(buzzer(n), 0.55);
    case 106: return finish(fanfare(n), 0.75);
    case 107: return finish(lost(n), 0.48);
    default: return {};
    }
}

QByteArray SoundArt::wav(int id)
{
    const std::vector<unsigned char> data = samples(id);
    return data.empty() ? QByteArray() : wavFile(data, kRate);
}

QByteArray SoundArt::wavFile(const std::vector<unsigned char> &samples, int rate)
{
    const quint32 dataBytes = quint32(samples.size());
    QByteArray out;
    out.reserve(44 + int(dataBytes) + 1);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes + (dataBytes & 1));
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);             // PCM
    put16(out, 1);             // mono
    put32(out, quint32(rate)); // samples per second
    put32(out, quint32(rate)); // bytes per second
    put16(out, 1);             // bytes per sample frame
    put16(out, 8);             // bits per sample
    putTag(out, "data");
    put32(out, dataBytes);
    out.append(reinterpret_cast<const char *>(samples.data()), qsizetype(dataBytes));
    if (dataBytes & 1)
        out.append(char(128)); // chunks are padded to an even size
    return out;
}

} // namespace moka
