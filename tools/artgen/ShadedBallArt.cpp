// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ShadedBallArt.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Palette entries: the felt in 48 shades from the shadow to the sheen, the
// seam in 16.
constexpr int kFelt = 1;
constexpr int kFeltShades = 48;
constexpr int kSeam = kFelt + kFeltShades;
constexpr int kSeamShades = 16;

QRgb mix(QRgb a, QRgb b, double t)
{
    auto c = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return qRgb(c(qRed(a), qRed(b)), c(qGreen(a), qGreen(b)), c(qBlue(a), qBlue(b)));
}

// A ramp through several colours at even steps.
template <size_t N> QRgb ramp(const std::array<QRgb, N> &stops, double t)
{
    const double at = std::clamp(t, 0.0, 1.0) * (N - 1);
    const int i = std::min(int(N) - 2, int(at));
    return mix(stops[i], stops[i + 1], at - i);
}

struct Vec
{
    double x, y, z;
};

double dot(const Vec &a, const Vec &b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec unit(const Vec &v)
{
    const double n = std::sqrt(dot(v, v));
    return {v.x / n, v.y / n, v.z / n};
}

// The seam of a tennis ball: a closed curve that winds round the sphere in
// two tongues, tipped so both show from the front.
std::array<Vec, 360> seam()
{
    std::array<Vec, 360> points{};
    const double tip = 0.55, c = std::cos(tip), s = std::sin(tip);
    for (int i = 0; i < 360; ++i) {
        const double t = 2.0 * kPi * i / 360.0;
        const Vec p = unit({std::cos(t) + 0.35 * std::cos(3.0 * t), std::sin(t) - 0.35 * std::sin(3.0 * t),
                            0.95 * std::sin(2.0 * t)});
        // Tipped about the x axis and then the z axis.
        const Vec q{p.x, p.y * c - p.z * s, p.y * s + p.z * c};
        points[i] = {q.x * c - q.y * s, q.x * s + q.y * c, q.z};
    }
    return points;
}

} // namespace

QList<QRgb> ShadedBallArt::palette()
{
    QList<QRgb> table(256, qRgb(0, 0, 0));
    const std::array<QRgb, 6> felt{qRgb(40, 30, 0),    qRgb(120, 100, 0),  qRgb(200, 180, 0),
                                   qRgb(245, 230, 20), qRgb(255, 250, 90), qRgb(255, 255, 235)};
    for (int i = 0; i < kFeltShades; ++i)
        table[kFelt + i] = ramp(felt, double(i) / (kFeltShades - 1));
    const std::array<QRgb, 4> seamStops{qRgb(70, 70, 60), qRgb(170, 170, 150), qRgb(240, 240, 225),
                                        qRgb(255, 255, 255)};
    for (int i = 0; i < kSeamShades; ++i)
        table[kSeam + i] = ramp(seamStops, double(i) / (kSeamShades - 1));
    table[White] = qRgb(255, 255, 255);
    return table;
}

QImage ShadedBallArt::render()
{
    QImage image(Size, 2 * Size, QImage::Format_Indexed8);
    image.setColorTable(palette());
    image.fill(Black);

    const auto curve = seam();
    const Vec light = unit({-0.55, -0.6, 0.6});
    const Vec eye{0, 0, 1};
    const Vec half = unit({light.x + eye.x, light.y + eye.y, light.z + eye.z});
    const double radius = Size / 2.0 - 0.5;
    const double centre = Size / 2.0;
    for (int y = 0; y < Size; ++y) {
        for (int x = 0; x < Size; ++x) {
            const double dx = (x + 0.5 - centre) / radius, dy = (y + 0.5 - centre) / radius;
            const double rr = dx * dx + dy * dy;
            uchar &mask = image.scanLine(Size + y)[x];
            if (rr >= 1.0) {
                mask = White;
                continue;
            }
            mask = Black;
            const Vec n{dx, dy, std::sqrt(1.0 - rr)};
            const double diffuse = std::max(0.0, dot(n, light));
            const double sheen = std::pow(std::max(0.0, dot(n, half)), 24.0);
            // Felt scatters light, so the shadow side keeps some glow from
            // below, and the edge darkens.
            double bright = 0.12 + 0.68 * diffuse + 0.35 * sheen + 0.08 * std::max(0.0, n.y);
            bright *= 0.75 + 0.25 * n.z;

            double nearest = 1e9;
            for (const Vec &p : curve) {
                const Vec d{n.x - p.x, n.y - p.y, n.z - p.z};
                nearest = std::min(nearest, dot(d, d));
            }
            const bool onSeam = std::sqrt(nearest) < 0.075;
            const int entry = onSeam ? kSeam + std::clamp(int(bright * kSeamShades), 0, kSeamShades - 1)
                                     : kFelt + std::clamp(int(bright * kFeltShades), 0, kFeltShades - 1);
            image.scanLine(y)[x] = uchar(entry);
        }
    }
    return image;
}
