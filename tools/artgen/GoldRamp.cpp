// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GoldRamp.h"

#include <algorithm>
#include <cmath>
#include <iterator>

QList<QRgb> GoldRamp::colours()
{
    return {
        qRgb(72, 30, 0),     qRgb(112, 54, 4),    qRgb(148, 82, 8),    qRgb(182, 112, 14),
        qRgb(208, 140, 22),  qRgb(228, 166, 32),  qRgb(244, 190, 44),  qRgb(255, 212, 66),
        qRgb(255, 228, 104), qRgb(255, 240, 152), qRgb(255, 250, 206), qRgb(255, 255, 255),
    };
}

int GoldRamp::level(double brightness)
{
    const double v = std::clamp(brightness, 0.0, 1.0);
    return std::min(Levels - 1, int(std::lround(v * (Levels - 1))));
}

double GoldRamp::sheen(double u)
{
    struct Key
    {
        double u, v;
    };
    static const Key keys[] = {
        {-1.00, 0.18}, {-0.93, 0.40}, {-0.82, 0.78}, {-0.66, 1.00}, {-0.52, 0.86},
        {-0.34, 0.64}, {-0.08, 0.54}, {0.22, 0.42},  {0.48, 0.30},  {0.68, 0.40},
        {0.82, 0.66},  {0.91, 0.44},  {1.00, 0.16},
    };
    const double x = std::clamp(u, -1.0, 1.0);
    for (auto k = std::begin(keys) + 1; k != std::end(keys); ++k) {
        if (x <= k->u) {
            const Key &a = *(k - 1);
            return a.v + (k->v - a.v) * (x - a.u) / (k->u - a.u);
        }
    }
    return keys[std::size(keys) - 1].v;
}
