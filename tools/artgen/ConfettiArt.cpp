// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ConfettiArt.h"

#include "Palette16.h"

#include <QLineF>
#include <QPointF>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Each colour as its lit face and the face turned away from the light.
struct Paper
{
    int front, back;
};
constexpr std::array<Paper, ConfettiArt::Colours> kPapers{{
    {Palette16::Red, Palette16::Maroon},
    {Palette16::Yellow, Palette16::Olive},
    {Palette16::Cyan, Palette16::Teal},
    {Palette16::Magenta, Palette16::Purple},
    {Palette16::Blue, Palette16::Navy},
    {Palette16::White, Palette16::Silver},
    {Palette16::Purple, Palette16::Navy},
    {Palette16::Lime, Palette16::Green},
}};

struct Vec
{
    double x, y, z;
};

Vec rotate(const Vec &v, const Vec &axis, double angle)
{
    // Rodrigues' formula about a unit axis.
    const double c = std::cos(angle), s = std::sin(angle);
    const double d = v.x * axis.x + v.y * axis.y + v.z * axis.z;
    const Vec cross{axis.y * v.z - axis.z * v.y, axis.z * v.x - axis.x * v.z, axis.x * v.y - axis.y * v.x};
    return {v.x * c + cross.x * s + axis.x * d * (1 - c), v.y * c + cross.y * s + axis.y * d * (1 - c),
            v.z * c + cross.z * s + axis.z * d * (1 - c)};
}

} // namespace

QImage ConfettiArt::render()
{
    const int size = Cell * Frames;
    QImage image(size, Cell * Colours, QImage::Format_Indexed8);
    image.setColorTable(Palette16::colours());
    image.fill(Palette16::Black);

    // A strip of paper 12 x 6 flipping over about an axis in its own
    // plane, 30 degrees off its length and tipped a little towards the
    // viewer: lit face (frame 0), edge on (2), back face (4), edge on (6).
    const double halfLong = 6.0, halfShort = 3.0;
    const double lie = 0.45; // how the strip lies in the cell, radians
    const double off = kPi / 6.0;
    const Vec axis = [&] {
        const double a = lie + off;
        const Vec v{std::cos(a), std::sin(a), 0.25};
        const double n = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
        return Vec{v.x / n, v.y / n, v.z / n};
    }();
    for (int f = 0; f < Frames; ++f) {
        const double turn = 2.0 * kPi * f / Frames;
        auto project = [&](double lx, double ly) {
            const Vec flat{lx * std::cos(lie) - ly * std::sin(lie), lx * std::sin(lie) + ly * std::cos(lie),
                           0};
            const Vec p = rotate(flat, axis, turn);
            return QPointF(Cell / 2.0 + p.x, Cell / 2.0 + p.y);
        };
        QPolygonF strip;
        for (const auto &[cx, cy] : {std::pair{-1, -1}, {1, -1}, {1, 1}, {-1, 1}})
            strip << project(cx * halfLong, cy * halfShort);
        const Vec normal = rotate({0, 0, 1}, axis, turn);
        const bool lit = normal.z > 0.3;

        // Seen nearly edge on, the strip still shows as a line of paper
        // along its projected outline's longest diagonal.
        QPointF a = strip[0], b = strip[2];
        if (QLineF(strip[1], strip[3]).length() > QLineF(a, b).length())
            a = strip[1], b = strip[3];
        auto nearLine = [&](const QPointF &c) {
            const QPointF ab = b - a, ac = c - a;
            const double len2 = ab.x() * ab.x() + ab.y() * ab.y();
            const double t = std::clamp((ac.x() * ab.x() + ac.y() * ab.y()) / len2, 0.0, 1.0);
            return QLineF(c, a + t * ab).length() < 0.55;
        };
        for (int r = 0; r < Colours; ++r) {
            // The lit face in the bright colour, the far face and the edge
            // turned from the light in the dark one; an edge seen straight on
            // catches the light.
            const int colour = lit || std::abs(normal.z) <= 0.3 ? kPapers[r].front : kPapers[r].back;
            for (int y = 1; y < Cell - 1; ++y) {
                for (int x = 1; x < Cell - 1; ++x) {
                    int covered = 0;
                    for (int sy = 0; sy < 4; ++sy)
                        for (int sx = 0; sx < 4; ++sx) {
                            const QPointF at(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0);
                            covered += strip.containsPoint(at, Qt::OddEvenFill) || nearLine(at);
                        }
                    if (covered >= 7)
                        image.scanLine(r * Cell + y)[f * Cell + x] = uchar(colour);
                }
            }
        }
    }
    return image;
}
