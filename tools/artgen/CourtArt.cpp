// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CourtArt.h"

#include <cmath>

namespace {

// Surface spans x 8-273; the side walls take x 0-7 and 274-280.
constexpr int kSurfaceLeft = 8;
constexpr int kSurfaceRight = 273;
constexpr int kCentreX = 140;

constexpr double kCreaseRadius = 78.0; // outer edge of the outline
constexpr int kLineWidth = 2;

// Left side line at x 11-12, mirrored on the right; centre line x 139-141.
constexpr int kSideLine = 11;

// The net: tape, a cord, the mesh, a cord.
constexpr int kNetTop = 251;
constexpr int kNetBottom = 261;

class Canvas
{
public:
    explicit Canvas(QImage &image)
        : m_image(image)
    {
    }
    void set(int x, int y, int entry)
    {
        if (x >= 0 && y >= 0 && x < m_image.width() && y < m_image.height())
            m_image.scanLine(y)[x] = uchar(entry);
    }
    int at(int x, int y) const { return m_image.constScanLine(y)[x]; }
    void fillRect(int x0, int y0, int x1, int y1, int entry)
    {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                set(x, y, entry);
    }

private:
    QImage &m_image;
};

bool insideCrease(int x, int y, double cy)
{
    const double dx = x + 0.5 - (kCentreX + 0.5);
    const double dy = y + 0.5 - cy;
    return dx * dx + dy * dy < kCreaseRadius * kCreaseRadius;
}

void drawCreases(Canvas &c)
{
    // Each half-circle is centred on the goal mouth where the band meets the
    // surface: y 8.0 at the top, y 506.0 at the bottom (pixel edges). The
    // outline takes every inside pixel within two steps, across or along, of
    // the outside, so it stays two pixels thick all the way round.
    const double centres[2] = {double(CourtArt::TopBandRows), double(CourtArt::BottomBandFirst)};
    for (double cy : centres) {
        for (int y = CourtArt::TopBandRows; y < CourtArt::BottomBandFirst; ++y) {
            for (int x = kSurfaceLeft; x <= kSurfaceRight; ++x) {
                if (!insideCrease(x, y, cy))
                    continue;
                bool edge = false;
                for (int k = 1; k <= kLineWidth && !edge; ++k) {
                    edge = !insideCrease(x - k, y, cy) || !insideCrease(x + k, y, cy) ||
                           (cy < y ? !insideCrease(x, y + k, cy) : !insideCrease(x, y - k, cy));
                }
                c.set(x, y, edge ? CourtArt::Line : CourtArt::Crease);
            }
        }
    }
}

void drawLines(Canvas &c)
{
    for (int y = CourtArt::TopBandRows; y < CourtArt::BottomBandFirst; ++y) {
        for (int i = 0; i < 2; ++i) {
            c.set(kSideLine + i, y, CourtArt::Line);
            c.set(CourtArt::Width - 1 - kSideLine - i, y, CourtArt::Line);
        }
    }
    // The centre line runs from each half-circle to the net.
    const int topEnd = CourtArt::TopBandRows + int(kCreaseRadius);
    const int bottomStart = CourtArt::BottomBandFirst - int(kCreaseRadius);
    for (int y = topEnd; y < bottomStart; ++y)
        for (int x = kCentreX - 1; x <= kCentreX + 1; ++x)
            c.set(x, y, CourtArt::Line);
}

void drawNet(Canvas &c)
{
    for (int x = kSurfaceLeft; x <= kSurfaceRight; ++x) {
        c.set(x, kNetTop, CourtArt::NetTape);
        c.set(x, kNetTop + 1, CourtArt::NetTape);
        c.set(x, kNetTop + 2, CourtArt::NetCord);
        for (int y = kNetTop + 3; y < kNetBottom; ++y) {
            const int row = y - (kNetTop + 3);
            const bool strand = (x - kSurfaceLeft) % 3 == 0 || row % 3 == 2;
            if (strand)
                c.set(x, y, CourtArt::NetMesh);
        }
        c.set(x, kNetBottom, CourtArt::NetCord);
    }
}

void drawWalls(Canvas &c)
{
    // Columns from the outside in; the right wall is one pixel narrower.
    const int left[8] = {CourtArt::WallEdge, CourtArt::WallLight, CourtArt::WallFace,  CourtArt::WallFace,
                         CourtArt::WallFace, CourtArt::WallFace,  CourtArt::WallLight, CourtArt::WallSeam};
    for (int y = 0; y < CourtArt::Height; ++y) {
        for (int i = 0; i < 8; ++i)
            c.set(i, y, left[i]);
        for (int i = 0; i < 7; ++i)
            c.set(CourtArt::Width - 1 - i, y, left[i == 6 ? 7 : i]);
    }
    // Panel joints every 32 rows and a rivet in the middle of each panel.
    for (int y = 16; y < CourtArt::Height - 8; y += 32) {
        for (int side = 0; side < 2; ++side) {
            const int x0 = side == 0 ? 1 : kSurfaceRight + 2;
            const int x1 = side == 0 ? 6 : CourtArt::Width - 2;
            for (int x = x0; x <= x1; ++x) {
                c.set(x, y, CourtArt::WallSeam);
                c.set(x, y + 1, CourtArt::WallLight);
            }
            const int rx = side == 0 ? 3 : CourtArt::Width - 4;
            c.set(rx, y + 16, CourtArt::WallRivet);
            c.set(rx + 1, y + 16, CourtArt::WallRivet);
            c.set(rx, y + 15, CourtArt::WallLight);
        }
    }
}

void drawBand(Canvas &c, int firstRow, int rows, bool top)
{
    for (int i = 0; i < rows; ++i) {
        // i counts from the outer edge of the court towards the surface.
        const int y = top ? firstRow + i : firstRow + rows - 1 - i;
        int entry = CourtArt::BandGreen;
        if (i == 0 || i == rows - 1)
            entry = CourtArt::BandDeep;
        else if (i == 1)
            entry = CourtArt::BandLight;
        else if (i == rows - 2)
            entry = CourtArt::BandDark;
        for (int x = kSurfaceLeft; x <= kSurfaceRight; ++x) {
            int e = entry;
            // Padded bumper: a dark stitch every eight pixels.
            if (entry == CourtArt::BandGreen && (x - kSurfaceLeft) % 8 == 4)
                e = CourtArt::BandDark;
            c.set(x, y, e);
        }
        // The goal mouth: a white opening with a light net pattern.
        for (int x = CourtArt::GoalLeft; x <= CourtArt::GoalRight; ++x) {
            int e = CourtArt::GoalWhite;
            if (i > 0 && i < rows - 1 && ((x - CourtArt::GoalLeft) % 4 == 2 || i % 3 == 0))
                e = CourtArt::GoalMesh;
            c.set(x, y, e);
        }
        // Goal posts just outside the mouth.
        for (int k = 1; k <= 2; ++k) {
            c.set(CourtArt::GoalLeft - k, y, k == 1 ? CourtArt::PostMetal : CourtArt::PostDark);
            c.set(CourtArt::GoalRight + k, y, k == 1 ? CourtArt::PostMetal : CourtArt::PostDark);
        }
    }
}

void drawPost(Canvas &c, double cx, double cy)
{
    const double r = 4.4;
    for (int y = int(cy - r) - 1; y <= int(cy + r) + 1; ++y) {
        for (int x = int(cx - r) - 1; x <= int(cx + r) + 1; ++x) {
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d >= r)
                continue;
            int e = CourtArt::PostMetal;
            if (d > r - 1.0)
                e = CourtArt::PostDark;
            else if (std::hypot(dx + 1.0, dy + 1.0) < 1.3)
                e = CourtArt::PostShine;
            c.set(x, y, e);
        }
    }
}

} // namespace

QList<QRgb> CourtArt::palette()
{
    QList<QRgb> p(256, qRgb(0, 0, 0));
    p[WallEdge] = qRgb(30, 32, 40);
    p[WallFace] = qRgb(66, 70, 84);
    p[WallLight] = qRgb(104, 110, 128);
    p[WallSeam] = qRgb(20, 22, 28);
    p[BandDark] = qRgb(0, 104, 44);
    p[BandGreen] = qRgb(18, 146, 60);
    p[BandLight] = qRgb(92, 200, 104);
    p[GoalWhite] = qRgb(255, 255, 255);
    p[Surface] = qRgb(173, 115, 66);
    p[Crease] = qRgb(198, 99, 0);
    p[GoalMesh] = qRgb(200, 208, 216);
    p[NetCord] = qRgb(52, 54, 60);
    p[NetMesh] = qRgb(116, 120, 130);
    p[NetTape] = qRgb(238, 238, 238);
    p[PostMetal] = qRgb(176, 180, 188);
    p[Line] = qRgb(255, 132, 66);
    p[PostDark] = qRgb(44, 46, 52);
    p[PostShine] = qRgb(252, 252, 252);
    p[BandDeep] = qRgb(0, 64, 28);
    p[WallRivet] = qRgb(150, 156, 172);
    return p;
}

QImage CourtArt::render()
{
    QImage image(Width, Height, QImage::Format_Indexed8);
    image.setColorTable(palette());
    image.fill(Surface);
    Canvas c(image);
    drawCreases(c);
    drawLines(c);
    drawNet(c);
    drawWalls(c);
    drawBand(c, 0, TopBandRows, true);
    drawBand(c, BottomBandFirst, Height - BottomBandFirst, false);
    drawPost(c, 4.0, NetY + 0.5);
    drawPost(c, 277.5, NetY + 0.5);
    return image;
}
