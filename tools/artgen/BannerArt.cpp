// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BannerArt.h"

#include "GoldRamp.h"
#include "Palette16.h"
#include "SplashArt.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int kOutline = -2;

// The arch: the letters' middles sit on half an ellipse round this centre.
constexpr double kCentreX = BannerArt::Width / 2.0;
constexpr double kCentreY = 136.0;
constexpr double kRadiusX = 122.0;
constexpr double kRadiusY = 104.0;

constexpr int kPixelSize = 38;   // the type before it is made heavier
constexpr double kHeavier = 1.3; // pixels added all round each stroke
constexpr double kNarrow = 0.84; // the capitals are condensed to fit
constexpr double kTracking = 1.5;
constexpr double kShapeGap = 3.0;       // closest approach of two capitals
constexpr double kMostTightening = 6.0; // a pair closes up by at most this

// Palette entries of the gold picture.
constexpr int kGold = 1;
constexpr int kEdge = 13;

QPointF onArch(double a) { return {kCentreX + kRadiusX * std::sin(a), kCentreY - kRadiusY * std::cos(a)}; }

// Arc length along the arch from its top to the angle `a` (negative to the
// left), summed in small steps.
double archLength(double a)
{
    const int steps = 400;
    double length = 0.0;
    QPointF last = onArch(0.0);
    for (int i = 1; i <= steps; ++i) {
        const QPointF p = onArch(a * i / steps);
        length += std::hypot(p.x() - last.x(), p.y() - last.y());
        last = p;
    }
    return a < 0 ? -length : length;
}

double angleAt(double length)
{
    double lo = -3.0, hi = 3.0;
    for (int i = 0; i < 50; ++i) {
        const double mid = (lo + hi) / 2.0;
        (archLength(mid) < length ? lo : hi) = mid;
    }
    return (lo + hi) / 2.0;
}

} // namespace

BannerArt::Layout BannerArt::layout()
{
    QFont font(SplashArt::fontFamily());
    font.setPixelSize(kPixelSize);
    font.setBold(true);
    const QFontMetricsF fm(font);
    const double cap = fm.capHeight() + 2.0 * kHeavier;

    // Each capital as a heavy outline, centred on its own middle.
    struct Glyph
    {
        QPainterPath path;
        double width;
    };
    std::vector<Glyph> glyphs;
    for (const QChar ch : word()) {
        QPainterPath path;
        path.addText(0, 0, font, QString(ch));
        QPainterPathStroker stroker;
        stroker.setWidth(2.0 * kHeavier);
        stroker.setJoinStyle(Qt::RoundJoin);
        path = path.united(stroker.createStroke(path)).simplified();
        const QRectF box = path.boundingRect();
        QTransform centre;
        centre.scale(kNarrow, 1.0);
        centre.translate(-box.center().x(), fm.capHeight() / 2.0);
        glyphs.push_back({centre.map(path), box.width() * kNarrow});
    }

    // Where each capital's middle lies along the arch. Boxes alone leave
    // holes between open shapes (L A, A T), so each pair moves halfway from
    // box spacing towards the spacing its outlines allow.
    std::vector<double> middles{0.0};
    for (size_t i = 1; i < glyphs.size(); ++i) {
        const Glyph &left = glyphs[i - 1], &right = glyphs[i];
        const double byBox = left.width / 2.0 + right.width / 2.0 + kTracking;
        double byShape = 0.0;
        for (double y = -cap; y <= cap; y += 0.5) {
            double rightmost = -1e9, leftmost = 1e9;
            for (double x = -cap; x <= cap; x += 0.25) {
                if (left.path.contains(QPointF(x, y)))
                    rightmost = std::max(rightmost, x);
                if (right.path.contains(QPointF(x, y)))
                    leftmost = std::min(leftmost, x);
            }
            if (rightmost > -1e9 && leftmost < 1e9)
                byShape = std::max(byShape, rightmost - leftmost + kShapeGap);
        }
        middles.push_back(middles.back() + (byBox + std::max(byShape, byBox - kMostTightening)) / 2.0);
    }
    const double total = middles.back() + glyphs.front().width / 2.0 + glyphs.back().width / 2.0;

    // Lay them along the arch by arc length, each standing square to it.
    Layout out;
    out.letter = QList<int>(Width * Height, -1);
    out.depth = QList<float>(Width * Height, 0.0f);
    const double first = -total / 2.0 + glyphs.front().width / 2.0;
    for (int i = 0; i < int(glyphs.size()); ++i) {
        const Glyph &g = glyphs[i];
        const double a = angleAt(first + middles[i]);
        const QPointF at = onArch(a);
        // Upright along the ellipse's normal (not along the line from its
        // centre), so the letters lean out evenly.
        QTransform place;
        place.translate(at.x(), at.y());
        place.rotateRadians(std::atan2(kRadiusY * std::sin(a), kRadiusX * std::cos(a)));
        const QTransform back = place.inverted();
        const QRect box = place.map(g.path).boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1);
        for (int y = std::max(0, box.top()); y <= std::min(Height - 1, box.bottom()); ++y) {
            for (int x = std::max(0, box.left()); x <= std::min(Width - 1, box.right()); ++x) {
                const QPointF local = back.map(QPointF(x + 0.5, y + 0.5));
                if (!g.path.contains(local))
                    continue;
                out.letter[y * Width + x] = i;
                out.depth[y * Width + x] = float(std::clamp((local.y() + cap / 2.0) / cap, 0.0, 1.0));
            }
        }
    }

    // A dark line round every letter, and between letters that touch.
    const QList<int> inked = out.letter;
    auto inkAt = [&](int x, int y) {
        return x < 0 || y < 0 || x >= Width || y >= Height ? -1 : inked[y * Width + x];
    };
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const int here = inkAt(x, y);
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int there = inkAt(x + dx, y + dy);
                    if (there < 0)
                        continue;
                    if (here < 0 || (there > here && dx * dy == 0))
                        out.letter[y * Width + x] = kOutline;
                }
            }
        }
    }
    return out;
}

QList<QRgb> BannerArt::goldPalette()
{
    QList<QRgb> table(256, qRgb(0, 0, 0));
    const QList<QRgb> golds = GoldRamp::colours();
    for (int i = 0; i < golds.size(); ++i)
        table[kGold + i] = golds[i];
    table[kEdge] = qRgb(70, 16, 0);
    return table;
}

QImage BannerArt::gold()
{
    const Layout l = layout();
    QImage image(Width, Height, QImage::Format_Indexed8);
    image.setColorTable(goldPalette());
    image.fill(0);
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const int letter = l.at(x, y);
            if (letter == -1)
                continue;
            int level;
            if (letter == kOutline) {
                image.scanLine(y)[x] = kEdge;
                continue;
            }
            // Bright sky above the horizon, the deep ground reflected below
            // it, lightening again towards the baseline.
            const double t = l.depth[y * Width + x];
            if (t < 0.5) {
                const int band[] = {11, 10, 9, 8, 7};
                level = band[std::min(4, int(t / 0.5 * 5.0))];
            } else {
                const int band[] = {2, 3, 4, 5, 6, 7};
                level = band[std::min(5, int((t - 0.5) / 0.5 * 6.0))];
            }
            // Bevel: edges facing up and left catch the light, the others
            // fall into shade.
            if (l.at(x - 1, y) < 0 || l.at(x, y - 1) < 0)
                level = std::min(GoldRamp::Levels - 1, level + 3);
            else if (l.at(x + 1, y) < 0 || l.at(x, y + 1) < 0)
                level = std::max(1, level - 3);
            image.scanLine(y)[x] = uchar(kGold + level);
        }
    }
    return image;
}

QImage BannerArt::navy()
{
    const Layout l = layout();
    QImage image(Width, Height, QImage::Format_Indexed8);
    image.setColorTable(Palette16::colours());
    image.fill(Palette16::Black);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            if (l.at(x, y) != -1)
                image.scanLine(y)[x] = Palette16::Navy;
    return image;
}

QImage BannerArt::mask()
{
    const Layout l = layout();
    QImage image(Width, Height, QImage::Format_Indexed8);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            image.scanLine(y)[x] = l.at(x, y) == -1 ? 1 : 0;
    return image;
}
