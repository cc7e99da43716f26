// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TrophyArt.h"

#include "BmpWriter.h"
#include "GoldRamp.h"

#include <QPointF>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kAxis = 106.5; // centre of column 106
constexpr double kTilt = 0.16;  // circles seen from a little above: height / width
constexpr int kFloor = 300;     // the row under the base
constexpr double kPi = 3.14159265358979323846;

// Palette entries.
constexpr int kGold = 1; // the 12 shades of GoldRamp
constexpr int kOutline = 13;
constexpr int kPlate = 16;   // 5 shades of the name plate, lightest first
constexpr int kLacquer = 24; // 6 shades of the base, darkest first

// What covers a pixel, back to front: a part hides the ones before it, and
// where it meets one of them (or the surroundings) it gets the dark outline.
enum Part : uchar {
    None,
    Shadow,
    Handle,
    LowerTier,
    UpperTier,
    Stem, // with the foot
    Cup,  // bowl, band, star, lip and the inside
    Glint,
};

struct Canvas
{
    std::vector<uchar> part = std::vector<uchar>(TrophyArt::Width * TrophyArt::Height, None);
    std::vector<uchar> colour = std::vector<uchar>(TrophyArt::Width * TrophyArt::Height, 0);

    static bool inside(int x, int y)
    {
        return x >= 0 && y >= 0 && x < TrophyArt::Width && y < TrophyArt::Height;
    }
    void set(int x, int y, Part p, int c)
    {
        if (!inside(x, y))
            return;
        part[y * TrophyArt::Width + x] = p;
        colour[y * TrophyArt::Width + x] = uchar(c);
    }
    Part at(int x, int y) const { return inside(x, y) ? Part(part[y * TrophyArt::Width + x]) : None; }
};

int gold(double brightness) { return kGold + GoldRamp::level(brightness); }

// Rounded metal: `u` across the surface (-1 left edge .. 1 right edge) and
// `down` how far it faces the floor (-1 straight up .. 1 straight down).
int metal(double u, double down) { return gold(GoldRamp::sheen(u) - 0.34 * down); }

// The cup, stem and foot are one body turned about the axis: its half-width
// at a row and how fast that changes going down.
struct Section
{
    double halfWidth = 0.0;
    double slope = 0.0;
    Part part = None;
};

constexpr double kRimY = 46.0;
constexpr double kBowlEnd = 232.0;
constexpr double kCollarEnd = 237.0;
constexpr double kKnopY = 245.0;
constexpr double kKnopRadius = 10.0;
constexpr double kFlareY = 254.0;
constexpr double kFootY = 265.0;
constexpr double kFootHalf = 45.0;

// Half-width of the body at row y (pixel centres), 0 outside it.
double bodyWidth(double y, Part *part = nullptr)
{
    Part p = None;
    double w = 0.0;
    if (y >= kRimY && y < kBowlEnd) {
        // The bowl: full under the lip, rounding in to the stem.
        const double t = (y - kRimY) / (kBowlEnd - kRimY);
        const double flare = std::max(0.0, 1.0 - t / 0.12);
        w = 13.0 + 74.0 * std::sqrt(1.0 - std::pow(t, 2.8)) + 4.0 * flare * flare;
        p = Cup;
    } else if (y >= kBowlEnd && y < kCollarEnd) {
        w = 15.0;
        p = Stem;
    } else if (y >= kCollarEnd && y < kFlareY) {
        const double d = y - kKnopY;
        w = std::max(7.0, std::sqrt(std::max(0.0, kKnopRadius * kKnopRadius - d * d)));
        p = Stem;
    } else if (y >= kFlareY && y < kFootY) {
        const double t = (y - kFlareY) / (kFootY - kFlareY);
        w = 7.0 + (kFootHalf - 8.0) * t * t;
        p = Stem;
    } else if (y >= kFootY && y < kFootY + 10.0) {
        w = kFootHalf;
        p = Stem;
    }
    if (part)
        *part = p;
    return w;
}

Section section(double y)
{
    Section s;
    s.halfWidth = bodyWidth(y, &s.part);
    Part above = None, below = None;
    const double up = bodyWidth(y - 0.5, &above), down = bodyWidth(y + 0.5, &below);
    if (above == s.part && below == s.part)
        s.slope = down - up;
    return s;
}

// The band that takes the name: rows 167-197 on the axis, its edges curving
// up towards the sides like every circle round the cup.
constexpr double kBandTop = 167.0;
constexpr double kBandBottom = 198.0;
constexpr int kBead = 3;

void drawBody(Canvas &c)
{
    for (int y = int(kRimY); y < kFloor; ++y) {
        const double yc = y + 0.5;
        const Section s = section(yc);
        if (s.part == None)
            continue;
        for (int x = 0; x < TrophyArt::Width; ++x) {
            const double dx = x + 0.5 - kAxis;
            if (std::abs(dx) >= s.halfWidth)
                continue;
            const double u = dx / s.halfWidth;
            const double front = std::sqrt(1.0 - u * u);
            // The foot's rim stands on the base: its lower edge is an ellipse.
            if (yc >= kFootY && yc >= kFootY + 4.0 + 4.0 * front)
                continue;
            // Facing the floor darkens, in steps that follow the circles
            // round the body rather than the rows.
            const double lift = kTilt * s.halfWidth * (1.0 - front);
            const Section ring = section(yc + lift);
            const double slope = ring.part == s.part ? ring.slope : s.slope;
            const double down = std::round(-slope / std::sqrt(1.0 + slope * slope) * 6.0) / 6.0;
            int colour = metal(u, down);

            if (s.part == Cup) {
                const double top = kBandTop - lift, bottom = kBandBottom - lift;
                if (yc >= top && yc < bottom) {
                    // The enamel: flat and lightest across the middle.
                    const int shade = std::min(4, int(std::pow(std::abs(u), 2.2) * 5.0));
                    colour = kPlate + shade;
                } else if (yc >= top - kBead && yc < top) {
                    colour = metal(u, (yc - (top - kBead)) / kBead * 1.6 - 0.9);
                } else if (yc >= bottom && yc < bottom + kBead) {
                    colour = metal(u, (yc - bottom) / kBead * 1.6 - 0.9);
                }
                if (std::abs(yc - (top - kBead)) < 0.5 || std::abs(yc - (bottom + kBead - 1)) < 0.5)
                    colour = kGold + 1; // fine grooves that frame the band
            } else if (yc >= kFootY) {
                colour = metal(u, 0.25); // the foot's upright rim
            }
            c.set(x, y, s.part, colour);
        }
    }
}

// The lip rolled over at the top and the dark inside seen through the mouth.
void drawLip(Canvas &c)
{
    const double outerA = 93.0, outerB = 15.0;
    const double innerA = 84.0, innerB = 10.5, innerY = kRimY - 1.0;
    const double roll = 5.0;
    for (int y = 0; y < 80; ++y) {
        const double yc = y + 0.5;
        for (int x = 0; x < TrophyArt::Width; ++x) {
            const double dx = x + 0.5 - kAxis;
            if (std::abs(dx) >= outerA)
                continue;
            const double u = dx / outerA;
            const double front = std::sqrt(1.0 - u * u);
            const double rimBottom = kRimY + outerB * front;
            const double rimTop = kRimY - outerB * front;
            if (yc < rimTop || yc >= rimBottom + roll)
                continue;
            int colour;
            if (yc >= rimBottom) {
                // The rolled edge: a tube lit from above.
                colour = metal(u, (yc - rimBottom) / roll * 2.0 - 1.0);
            } else {
                const double iu = dx / innerA;
                const double iy = (yc - innerY) / innerB;
                if (std::abs(iu) < 1.0 && iu * iu + iy * iy < 1.0) {
                    // Inside: the far wall, lit from the left but seen from
                    // the right, darkening down into the cup.
                    const double depth = (iy + 1.0) / 2.0;
                    colour = gold(GoldRamp::sheen(-iu) * 0.55 + 0.08 - 0.3 * depth);
                } else {
                    colour = metal(u, -0.9); // the flat top of the lip
                }
            }
            c.set(x, y, Cup, colour);
        }
    }
}

// An embossed five-pointed star on a round medallion above the band.
void drawStar(Canvas &c)
{
    const QPointF centre(kAxis, 111.5);
    const double ring = 27.0, face = 23.0;
    const double outer = 20.0, inner = 8.4;
    QPolygonF star;
    for (int k = 0; k < 10; ++k) {
        const double a = k * kPi / 5.0;
        const double r = k % 2 == 0 ? outer : inner;
        star << centre + QPointF(r * std::sin(a), -r * std::cos(a));
    }
    const double lx = -0.55, ly = -0.65, lz = 0.55; // the light, up and left
    for (int y = int(centre.y() - ring) - 1; y <= int(centre.y() + ring) + 1; ++y) {
        for (int x = int(centre.x() - ring) - 1; x <= int(centre.x() + ring) + 1; ++x) {
            const double dx = x + 0.5 - centre.x(), dy = y + 0.5 - centre.y();
            const double d = std::hypot(dx, dy);
            if (d >= ring)
                continue;
            int colour;
            if (star.containsPoint(QPointF(x + 0.5, y + 0.5), Qt::OddEvenFill)) {
                // Ten facets, each sloping away from its arm's ridge.
                const double a = std::atan2(dx, -dy);
                const int arm = int(std::lround(a / (2.0 * kPi / 5.0)));
                const double ridge = arm * 2.0 * kPi / 5.0;
                const double side = a >= ridge ? 1.0 : -1.0;
                double nx = 0.62 * side * std::cos(ridge) + 0.22 * std::sin(ridge);
                double ny = 0.62 * side * std::sin(ridge) - 0.22 * std::cos(ridge);
                double nz = 0.75;
                const double n = std::sqrt(nx * nx + ny * ny + nz * nz);
                nx /= n, ny /= n, nz /= n;
                const double lit =
                    std::max(0.0, nx * lx + ny * ly + nz * lz) / std::sqrt(lx * lx + ly * ly + lz * lz);
                colour = gold(0.12 + 1.0 * lit * lit);
            } else if (d < face - 1.0) {
                colour = gold(0.3 - 0.1 * dy / face); // the sunken field
            } else if (d < face) {
                colour = kGold + 1;
            } else {
                // The raised ring, a tube lit from the upper left.
                const double t = (d - face) / (ring - face) * 2.0 - 1.0;
                const double nx = dx / d * t, ny = dy / d * t;
                colour = gold(0.55 - 0.55 * (nx * 0.6 + ny * 0.8));
            }
            c.set(x, y, Cup, colour);
        }
    }
}

QPointF cubic(const QPointF &p0, const QPointF &c0, const QPointF &c1, const QPointF &p1, double t)
{
    const double s = 1.0 - t;
    return s * s * s * p0 + 3.0 * s * s * t * c0 + 3.0 * s * t * t * c1 + t * t * t * p1;
}

// Each handle is a round bar bent into an ear, its ends hidden behind the cup.
void drawHandles(Canvas &c)
{
    // The left handle, as offsets from the axis; the right one mirrors it.
    const QPointF p0(-76, 70), c0(-94, 54), c1(-104, 72), p1(-97, 98);
    const QPointF c2(-91, 118), c3(-86, 140), p2(-72, 158);
    std::vector<QPointF> line;
    const int steps = 240;
    for (int i = 0; i <= steps; ++i)
        line.push_back(cubic(p0, c0, c1, p1, double(i) / steps));
    for (int i = 1; i <= steps; ++i)
        line.push_back(cubic(p1, c2, c3, p2, double(i) / steps));

    for (int side : {-1, 1}) {
        for (int y = 40; y < 180; ++y) {
            for (int x = 0; x < TrophyArt::Width; ++x) {
                const QPointF p((x + 0.5 - kAxis) * side, y + 0.5);
                if (p.x() > -60.0 || p.x() < -115.0)
                    continue;
                double best = 1e9;
                size_t at = 0;
                for (size_t i = 0; i < line.size(); ++i) {
                    const QPointF d = p - line[i];
                    const double dd = d.x() * d.x() + d.y() * d.y();
                    if (dd < best) {
                        best = dd;
                        at = i;
                    }
                }
                const double t = double(at) / (line.size() - 1);
                const double radius = 6.2 - 1.6 * t;
                const double dist = std::sqrt(best);
                if (dist >= radius)
                    continue;
                // The bar's normal, turned back to screen left/right.
                const QPointF n = (p - line[at]) / radius;
                c.set(x, y, Handle, metal(n.x() * side, n.y() * 1.2));
            }
        }
    }
}

void drawBase(Canvas &c)
{
    struct Tier
    {
        Part part;
        int topFace, front, bottom; // first rows of the top face and the front, last row
        double backHalf, half;
    };
    const Tier tiers[] = {
        {UpperTier, 267, 275, 283, 54.0, 58.0},
        {LowerTier, 284, 289, kFloor - 1, 65.0, 69.0},
    };
    for (const Tier &t : tiers) {
        for (int y = t.topFace; y <= t.bottom; ++y) {
            const bool top = y < t.front;
            const double half =
                top ? t.backHalf + (t.half - t.backHalf) * (y - t.topFace) / double(t.front - 1 - t.topFace)
                    : t.half;
            for (int x = 0; x < TrophyArt::Width; ++x) {
                const double dx = x + 0.5 - kAxis;
                if (std::abs(dx) >= half)
                    continue;
                int colour;
                if (top) {
                    // The lacquered top reflects the sky; its front edge catches
                    // the light.
                    colour = y == t.front - 1 ? kLacquer + 4 : y == t.topFace ? kLacquer + 2 : kLacquer + 3;
                } else if (y == t.front) {
                    colour = gold(0.82); // gold trim along the top of the face
                } else if (y == t.front + 1) {
                    colour = gold(0.3);
                } else {
                    const double f = double(y - t.front) / (t.bottom - t.front);
                    colour = kLacquer + (f < 0.35 ? 2 : f < 0.75 ? 1 : 0);
                    // Two gloss streaks slanting across the left of the face.
                    const double streak = dx + (y - t.front) * 0.7 + t.half;
                    if ((streak > 10.0 && streak < 15.0) || (streak > 19.0 && streak < 21.0))
                        colour = kLacquer + 3;
                }
                c.set(x, y, t.part, colour);
            }
        }
    }

    // A small gold plate on the front of the lower step.
    const int plateTop = 292, plateBottom = 296;
    const int plateHalf = 22;
    for (int y = plateTop; y <= plateBottom; ++y) {
        for (int x = int(kAxis) - plateHalf; x <= int(kAxis) + plateHalf; ++x) {
            int colour = gold(GoldRamp::sheen((x + 0.5 - kAxis) / plateHalf) * 0.8 + 0.1);
            if (y == plateTop)
                colour = gold(0.95);
            else if (y == plateBottom || x == int(kAxis) - plateHalf || x == int(kAxis) + plateHalf)
                colour = gold(0.2);
            c.set(x, y, LowerTier, colour);
        }
    }
}

// Dark edges wherever a part stands in front of another or of the background.
void drawOutlines(Canvas &c)
{
    const Canvas before = c;
    for (int y = 0; y < TrophyArt::Height; ++y) {
        for (int x = 0; x < TrophyArt::Width; ++x) {
            const Part p = before.at(x, y);
            if (p <= Shadow || p == Glint)
                continue;
            const int dx[] = {1, -1, 0, 0}, dy[] = {0, 0, 1, -1};
            for (int k = 0; k < 4; ++k) {
                if (before.at(x + dx[k], y + dy[k]) < p) {
                    c.set(x, y, p, kOutline);
                    break;
                }
            }
        }
    }
}

// The shadow the trophy throws on the floor behind it and to the right,
// every other pixel so the surroundings show through.
void drawShadow(Canvas &c)
{
    // Per pixel of height above the floor: the light comes from the front
    // left, so the shadow lies flat along the floor to the right.
    const double across = 0.28, up = 0.12;
    const Canvas before = c;
    for (int y = 0; y < kFloor; ++y) {
        for (int x = 0; x < TrophyArt::Width; ++x) {
            if ((x + y) % 2 != 0 || before.at(x, y) != None)
                continue;
            const double h = (kFloor - (y + 0.5)) / up;
            const int sx = int(std::floor(x + 0.5 - across * h));
            const int sy = int(std::floor(kFloor - h));
            const Part caster = before.at(sx, sy);
            if (caster > Shadow && caster != Glint)
                c.set(x, y, Shadow, 0);
        }
    }
}

// Four-pointed twinkles where the polish catches the light.
void drawGlints(Canvas &c)
{
    struct Twinkle
    {
        int x, y, arm;
    };
    const int a = int(kAxis);
    const Twinkle twinkles[] = {{a - 52, 41, 7}, {a - 60, 92, 9}, {a + 96, 24, 6}, {a - 5, 244, 4}};
    for (const Twinkle &t : twinkles) {
        for (int d = -t.arm; d <= t.arm; ++d) {
            const int far = std::abs(d);
            const int shade = far * 3 <= t.arm ? 11 : far * 3 <= 2 * t.arm ? 10 : 9;
            c.set(t.x + d, t.y, Glint, kGold + shade);
            c.set(t.x, t.y + d, Glint, kGold + shade);
        }
        for (int d = 1; d * 3 <= t.arm; ++d)
            for (int sx : {-1, 1})
                for (int sy : {-1, 1})
                    c.set(t.x + sx * d, t.y + sy * d, Glint, kGold + 10);
    }
}

} // namespace

struct TrophyArt::Layers
{
    QImage picture;
    QImage mask;
};

QList<QRgb> TrophyArt::palette()
{
    QList<QRgb> table(256, qRgb(0, 0, 0));
    const QList<QRgb> golds = GoldRamp::colours();
    for (int i = 0; i < golds.size(); ++i)
        table[kGold + i] = golds[i];
    table[kOutline] = qRgb(52, 18, 0);
    const QRgb plate[] = {qRgb(74, 110, 214), qRgb(62, 94, 192), qRgb(50, 76, 164), qRgb(38, 58, 132),
                          qRgb(28, 42, 100)};
    for (int i = 0; i < 5; ++i)
        table[kPlate + i] = plate[i];
    const QRgb lacquer[] = {qRgb(8, 8, 22),    qRgb(18, 22, 52),    qRgb(32, 40, 92),
                            qRgb(58, 70, 146), qRgb(112, 128, 214), qRgb(190, 200, 255)};
    for (int i = 0; i < 6; ++i)
        table[kLacquer + i] = lacquer[i];
    return table;
}

TrophyArt::Layers TrophyArt::draw()
{
    Canvas c;
    drawHandles(c);
    drawBase(c);
    drawBody(c);
    drawStar(c);
    drawLip(c);
    drawOutlines(c);
    drawShadow(c);
    drawGlints(c);

    Layers out;
    out.picture = QImage(Width, Height, QImage::Format_Indexed8);
    out.picture.setColorTable(palette());
    out.mask = QImage(Width, Height, QImage::Format_Indexed8);
    out.mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int y = 0; y < Height; ++y) {
        uchar *pic = out.picture.scanLine(y);
        uchar *mask = out.mask.scanLine(y);
        for (int x = 0; x < Width; ++x) {
            const bool covered = c.at(x, y) != None;
            pic[x] = covered ? c.colour[y * Width + x] : 0;
            mask[x] = covered ? 0 : 1;
        }
    }
    return out;
}

QImage TrophyArt::picture() { return draw().picture; }

QImage TrophyArt::mask() { return draw().mask; }

QByteArray TrophyArt::resource()
{
    QByteArray file = BmpWriter::encode(picture(), BmpWriter::Encoding::Rle8);
    if (file.size() < PixelOffset || file.size() > ResourceSize)
        return {};
    file.append(QByteArray(ResourceSize - file.size(), '\0'));
    // The image size field counts the padding too.
    for (int i = 0; i < 4; ++i)
        file[34 + i] = char((PixelBytes >> (8 * i)) & 0xff);
    for (int i = 0; i < BlankedBytes; ++i)
        file[i] = '\0';
    return file;
}
