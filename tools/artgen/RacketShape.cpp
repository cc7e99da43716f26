// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RacketShape.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// Distance of `value` to the nearest multiple of `pitch`.
double offGrid(double value, double pitch) { return std::abs(value - std::round(value / pitch) * pitch); }

bool handle(RacketShape::Part p)
{
    return p == RacketShape::Throat || p == RacketShape::Grip || p == RacketShape::GripWrap ||
           p == RacketShape::Butt;
}

} // namespace

RacketShape::Part RacketShape::partAt(const Pose &pose, double x, double y)
{
    // Along the axis (towards the tip) and across it.
    const double ax = std::cos(pose.angle * kDegree);
    const double ay = -std::sin(pose.angle * kDegree);
    const double dx = x - pose.head.x();
    const double dy = y - pose.head.y();
    const double u = dx * ax + dy * ay;
    const double v = -dx * ay + dy * ax;

    // The head: an ellipse whose rim is measured inwards from its edge.
    const double a = pose.headLength / 2.0;
    const double b = pose.headWidth / 2.0;
    const double f = (u * u) / (a * a) + (v * v) / (b * b) - 1.0;
    const double gx = 2.0 * u / (a * a);
    const double gy = 2.0 * v / (b * b);
    const double edge = f / std::max(1e-6, std::sqrt(gx * gx + gy * gy)); // < 0 inside
    if (edge <= 0.0) {
        if (pose.rimWidth <= 1.0) {
            // A hairline frame: the inside pixels with a side neighbour outside.
            for (const auto &[ox, oy] : {std::pair{1.0, 0.0}, {-1.0, 0.0}, {0.0, 1.0}, {0.0, -1.0}}) {
                const double nu = u + ox * ax + oy * ay;
                const double nv = v - ox * ay + oy * ax;
                if ((nu * nu) / (a * a) + (nv * nv) / (b * b) > 1.0)
                    return Rim;
            }
        } else if (edge > -pose.rimWidth) {
            return Rim;
        }
        // The strings run square to the screen whatever the racket's angle:
        // at this size a tilted grid only breaks up into specks.
        const double sx = x - pose.head.x();
        const double sy = y - pose.head.y();
        const bool onString = offGrid(sx, pose.stringPitch) < 0.5 || offGrid(sy, pose.stringPitch) < 0.5;
        return onString ? String : Face;
    }

    // Throat: a wedge from the handle, widening into the bottom of the head.
    const double throatStart = -a - pose.throatLength;
    const double throatEnd = -a + 0.35 * b;
    const double halfHandle = pose.handleWidth / 2.0;
    if (u >= throatStart && u <= throatEnd) {
        const double t = (u - throatStart) / (throatEnd - throatStart);
        const double half = halfHandle + t * (0.5 * b - halfHandle);
        // Two beams, open between them where the wedge is wide enough.
        if (std::abs(v) <= half)
            return std::abs(v) < half - pose.throatBeam && u > throatStart + 1.0 ? Face : Throat;
    }

    // Handle, with a slightly wider cap at its end.
    const double butt = throatStart - pose.handleLength;
    if (u >= butt && u < throatStart) {
        if (u < butt + 1.5)
            return std::abs(v) <= halfHandle + 0.7 ? Butt : None;
        if (std::abs(v) <= halfHandle) {
            const bool wrapLine = pose.wrap && std::fmod(u - butt + 0.8 * v + 30.0, 3.0) < 1.0;
            return wrapLine ? GripWrap : Grip;
        }
    }
    return None;
}

void RacketShape::addOutline(QImage &map)
{
    const QImage before = map.copy();
    for (int y = 0; y < map.height(); ++y) {
        for (int x = 0; x < map.width(); ++x) {
            if (at(before, x, y) != None)
                continue;
            bool nearHead = false, nearHandle = false;
            for (int ny = y - 1; ny <= y + 1; ++ny) {
                for (int nx = x - 1; nx <= x + 1; ++nx) {
                    if (nx < 0 || ny < 0 || nx >= map.width() || ny >= map.height())
                        continue;
                    nearHead |= at(before, nx, ny) == Rim;
                    nearHandle |= handle(at(before, nx, ny));
                }
            }
            if (nearHandle)
                map.scanLine(y)[x] = HandleOutline;
            else if (nearHead)
                map.scanLine(y)[x] = HeadOutline;
        }
    }
}

void RacketShape::addStreaks(QImage &map, const Pose &pose)
{
    if (pose.sweep == 0.0)
        return;
    // Three points just off the trailing side of the head, traced back along
    // the circles they travelled about the pivot: the outer ones moved
    // furthest, so their lines are the longest.
    const double direction = pose.sweep > 0 ? 1.0 : -1.0;
    const double ax = std::cos(pose.angle * kDegree);
    const double ay = -std::sin(pose.angle * kDegree);
    // Perpendicular to the axis, on the side the head comes from.
    const double nx = ay * direction;
    const double ny = -ax * direction;
    const double a = pose.headLength / 2.0;
    const double b = pose.headWidth / 2.0;
    const struct
    {
        double along, reach;
    } points[] = {{0.55 * a, 1.0}, {0.0, 0.75}, {-0.55 * a, 0.5}};
    for (const auto &p : points) {
        // Edge of the ellipse at this point along the axis, plus a gap.
        const double across = b * std::sqrt(std::max(0.0, 1.0 - (p.along * p.along) / (a * a))) + 2.5;
        const double px = pose.head.x() + p.along * ax + across * nx - pose.pivot.x();
        const double py = pose.head.y() + p.along * ay + across * ny - pose.pivot.y();
        const double radius = std::hypot(px, py);
        const double start = std::atan2(-py, px) / kDegree;
        const double length = std::abs(pose.sweep) * p.reach;
        for (double t = 0.0; t <= length; t += 0.25) {
            const double phi = (start + direction * t) * kDegree;
            const int x = int(std::floor(pose.pivot.x() + radius * std::cos(phi)));
            const int y = int(std::floor(pose.pivot.y() - radius * std::sin(phi)));
            if (x < 0 || y < 0 || x >= map.width() || y >= map.height())
                continue;
            if (at(map, x, y) == None)
                map.scanLine(y)[x] = Streak;
        }
    }
}

QImage RacketShape::render(int width, int height, const Pose &pose)
{
    QImage map(width, height, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i <= Streak; ++i)
        table.append(qRgb(i * 25, i * 25, i * 25));
    map.setColorTable(table);
    map.fill(None);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            map.scanLine(y)[x] = partAt(pose, x + 0.5, y + 0.5);
    addOutline(map);
    addStreaks(map, pose);
    return map;
}

void RacketShape::paste(QImage &target, const QImage &source, int x, int y, bool mirrorX, bool mirrorY)
{
    for (int sy = 0; sy < source.height(); ++sy) {
        for (int sx = 0; sx < source.width(); ++sx) {
            const Part p = at(source, sx, sy);
            if (p == None)
                continue;
            const int tx = x + (mirrorX ? source.width() - 1 - sx : sx);
            const int ty = y + (mirrorY ? source.height() - 1 - sy : sy);
            if (tx >= 0 && ty >= 0 && tx < target.width() && ty < target.height())
                target.scanLine(ty)[tx] = p;
        }
    }
}
