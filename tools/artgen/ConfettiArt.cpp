#include "ConfettiArt.h"

#include "Palette16.h"

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

    // A strip of paper 12 x 6 tumbling about a tilted axis, one eighth of a
    // turn per frame, while it spins half a turn in its own plane per cycle
    // (which brings the strip back to its first pose after frame 7).
    const double halfLong = 6.0, halfShort = 3.0;
    const double n = std::sqrt(0.8 * 0.8 + 0.45 * 0.45 + 0.2 * 0.2);
    const Vec axis{0.8 / n, 0.45 / n, 0.2 / n};
    for (int f = 0; f < Frames; ++f) {
        const double turn = 2.0 * kPi * f / Frames;
        const double spin = 0.35 + kPi * f / Frames;
        auto project = [&](double lx, double ly) {
            const Vec flat{lx * std::cos(spin) - ly * std::sin(spin),
                           lx * std::sin(spin) + ly * std::cos(spin), 0};
            const Vec p = rotate(flat, axis, turn);
            return QPointF(Cell / 2.0 + p.x, Cell / 2.0 + p.y);
        };
        QPolygonF strip;
        for (const auto &[cx, cy] : {std::pair{-1, -1}, {1, -1}, {1, 1}, {-1, 1}})
            strip << project(cx * halfLong, cy * halfShort);
        const Vec normal = rotate({0, 0, 1}, axis, turn);
        const bool frontFacing = normal.z >= 0;
        // Seen nearly edge on, the strip is still a line of paper: the
        // projected middle line, one pixel wide.
        const QPointF a = project(-halfLong, 0), b = project(halfLong, 0);
        auto onMiddle = [&](const QPointF &c) {
            const QPointF ab = b - a, ac = c - a;
            const double len2 = ab.x() * ab.x() + ab.y() * ab.y();
            const double t = std::clamp((ac.x() * ab.x() + ac.y() * ab.y()) / len2, 0.0, 1.0);
            const QPointF d = c - (a + t * ab);
            return std::abs(d.x()) < 0.5 && std::abs(d.y()) < 0.5;
        };
        for (int r = 0; r < Colours; ++r) {
            const int colour = frontFacing ? kPapers[r].front : kPapers[r].back;
            for (int y = 1; y < Cell - 1; ++y) {
                for (int x = 1; x < Cell - 1; ++x) {
                    const QPointF centre(x + 0.5, y + 0.5);
                    if (strip.containsPoint(centre, Qt::OddEvenFill) || onMiddle(centre))
                        image.scanLine(r * Cell + y)[f * Cell + x] = uchar(colour);
                }
            }
        }
    }
    return image;
}
