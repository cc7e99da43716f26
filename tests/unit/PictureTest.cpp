// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Picture.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using moka::Picture;
using moka::RasterOp;

namespace {

constexpr QRgb kBack = 0x204060; // destination background in most tests

// A picture whose every pixel is different, so a pixel drawn from the wrong
// place never passes for the right one.
QImage numbered(int w, int h, int salt = 0)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb((x * 7 + salt) & 0xff, (y * 5 + salt * 3) & 0xff, 0x80 | (x + y) % 64));
    return img;
}

QRgb rgb(const QImage &img, int x, int y) { return img.pixel(x, y) & 0xffffff; }

// The stored word, alpha byte included (QImage::pixel() forces it to 0xff).
QRgb raw(const QImage &img, int x, int y) { return reinterpret_cast<const QRgb *>(img.constScanLine(y))[x]; }

// Where every pixel of `actual` differs from `expected`, for a readable failure.
std::string differences(const QImage &actual, const QImage &expected)
{
    if (actual.size() != expected.size())
        return "size differs";
    std::ostringstream out;
    int count = 0;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (rgb(actual, x, y) != rgb(expected, x, y) && ++count <= 5)
                out << " (" << x << "," << y << ")";
    if (count == 0)
        return {};
    return std::to_string(count) + " pixels differ, first at" + out.str();
}

// Where a plain copy of `src` lands: destination pixel (x, y) takes source
// pixel (sx + x - dx, sy + y - dy) when both lie inside their pictures.
QImage expectedCopy(const QImage &dst, qint64 dx, qint64 dy, qint64 w, qint64 h, const QImage &src, qint64 sx,
                    qint64 sy)
{
    QImage out = dst.copy();
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            if (x < dx || x >= dx + w || y < dy || y >= dy + h)
                continue;
            const qint64 u = sx + x - dx, v = sy + y - dy;
            if (u >= 0 && u < src.width() && v >= 0 && v < src.height())
                out.setPixel(x, y, src.pixel(int(u), int(v)));
        }
    return out;
}

// Nearest-neighbour sampling: destination column i of dw (counted from the
// far side when mirrored) takes source column sx + i * sw / dw.
QImage expectedStretch(const QImage &dst, qint64 dx, qint64 dy, qint64 dw, qint64 dh, const QImage &src,
                       qint64 sx, qint64 sy, qint64 sw, qint64 sh)
{
    QImage out = dst.copy();
    if (dw == 0 || dh == 0 || sw <= 0 || sh <= 0)
        return out;
    const bool mirrored = dw < 0;
    const qint64 left = mirrored ? dx + dw : dx, top = dh < 0 ? dy + dh : dy;
    dw = dw < 0 ? -dw : dw;
    dh = dh < 0 ? -dh : dh;
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            if (x < left || x >= left + dw || y < top || y >= top + dh)
                continue;
            qint64 i = x - left;
            if (mirrored)
                i = dw - 1 - i;
            const qint64 u = sx + i * sw / dw, v = sy + (y - top) * sh / dh;
            if (u >= 0 && u < src.width() && v >= 0 && v < src.height())
                out.setPixel(x, y, src.pixel(int(u), int(v)));
        }
    return out;
}

// Coordinates and sizes from the ordinary to the absurd.
const std::vector<int> kExtremes = {INT_MIN, INT_MIN + 1, -1000000000, -9,          -3,     -1, 0, 1, 2, 5,
                                    9,       1000000000,  INT_MAX - 8, INT_MAX - 1, INT_MAX};

} // namespace

// ---------------------------------------------------------------------------
// Raster operations

TEST(PictureRasterOps, CombineRgbBitsAndAlwaysComeOutOpaque)
{
    // Destination and source bytes share some bits and not others.
    constexpr QRgb dst = 0xcc55f0, src = 0xaa33c3;
    struct Case
    {
        RasterOp op;
        QRgb expected;
    };
    const Case cases[] = {
        {RasterOp::SrcCopy, 0xaa33c3},
        {RasterOp::SrcAnd, 0x8811c0},
        {RasterOp::SrcInvert, 0x666633},
        {RasterOp::SrcPaint, 0xee77f3},
    };
    // A transparent ARGB source must not leak its alpha into the picture.
    QImage source(4, 4, QImage::Format_ARGB32);
    source.fill(src); // alpha 0

    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.op));
        // The 1:1 path, a stretched path and a mirrored path share no code.
        Picture copy(4, 4, dst), stretched(8, 8, dst), mirrored(4, 4, dst);
        copy.bitBlt(0, 0, 4, 4, source, 0, 0, c.op);
        stretched.stretchBlt(0, 0, 8, 8, source, 0, 0, 4, 4, c.op);
        mirrored.stretchBlt(4, 0, -4, 4, source, 0, 0, 4, 4, c.op);
        for (const Picture *p : {&copy, &stretched, &mirrored})
            for (int y = 0; y < p->height(); ++y)
                for (int x = 0; x < p->width(); ++x) {
                    ASSERT_EQ(raw(p->image(), x, y), 0xff000000u | c.expected) << x << "," << y;
                }
    }
}

TEST(PictureRasterOps, MaskThenSpriteKeepsTheBackgroundAroundTheShape)
{
    // A plus-shaped sprite: mask black inside, white outside; sprite coloured
    // inside, black outside.
    const char *shape[] = {".X.", "XXX", ".X."};
    QImage mask(3, 3, QImage::Format_RGB32), sprite(3, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            const bool in = shape[y][x] == 'X';
            mask.setPixel(x, y, in ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
            sprite.setPixel(x, y, in ? qRgb(0x10 * x + 0x30, 0x20 * y + 0x40, 0x99) : qRgb(0, 0, 0));
        }
    const QImage court = numbered(6, 5, 11);
    Picture pic(court);
    pic.bitBlt(2, 1, 3, 3, mask, 0, 0, RasterOp::SrcAnd);
    pic.bitBlt(2, 1, 3, 3, sprite, 0, 0, RasterOp::SrcInvert);

    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const int u = x - 2, v = y - 1;
            const bool in = u >= 0 && u < 3 && v >= 0 && v < 3 && shape[v][u] == 'X';
            EXPECT_EQ(pic.pixel(x, y), in ? rgb(sprite, u, v) : rgb(court, x, y)) << x << "," << y;
        }

    // The same idiom through a mirrored stretch, as the rackets are drawn.
    Picture flipped(court);
    flipped.stretchBlt(5, 1, -3, 3, mask, 0, 0, 3, 3, RasterOp::SrcAnd);
    flipped.stretchBlt(5, 1, -3, 3, sprite, 0, 0, 3, 3, RasterOp::SrcInvert);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const int u = 4 - x, v = y - 1; // column 2 of the sprite lands at x = 2
            const bool in = u >= 0 && u < 3 && v >= 0 && v < 3 && shape[v][u] == 'X';
            EXPECT_EQ(flipped.pixel(x, y), in ? rgb(sprite, u, v) : rgb(court, x, y)) << x << "," << y;
        }
}

// ---------------------------------------------------------------------------
// Clipping

TEST(PictureClipping, PartlyOutsideDrawsTheInsidePartInPlace)
{
    const QImage src = numbered(4, 3);
    struct Case
    {
        const char *edge;
        int dx, dy, sx, sy;
    };
    const Case cases[] = {
        {"destination left", -2, 1, 0, 0}, {"destination top", 2, -2, 0, 0},
        {"destination right", 6, 1, 0, 0}, {"destination bottom", 2, 5, 0, 0},
        {"source left", 2, 1, -2, 0},      {"source top", 2, 1, 0, -1},
        {"source right", 2, 1, 2, 0},      {"source bottom", 2, 1, 0, 2},
        {"both corners", -3, -1, 3, -2},
    };
    const QImage back = Picture(8, 6, kBack).image();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.edge);
        Picture pic(8, 6, kBack);
        pic.bitBlt(c.dx, c.dy, 4, 3, src, c.sx, c.sy, RasterOp::SrcCopy);
        EXPECT_EQ(differences(pic.image(), expectedCopy(back, c.dx, c.dy, 4, 3, src, c.sx, c.sy)), "");
    }
    // By hand: hanging off the destination's left shows source columns 2-3.
    Picture left(8, 6, kBack);
    left.bitBlt(-2, 1, 4, 3, src, 0, 0, RasterOp::SrcCopy);
    EXPECT_EQ(left.pixel(0, 1), rgb(src, 2, 0));
    EXPECT_EQ(left.pixel(1, 3), rgb(src, 3, 2));
    EXPECT_EQ(left.pixel(2, 1), kBack);
    EXPECT_EQ(left.pixel(0, 4), kBack);
    // Starting two columns left of the source puts its column 0 two columns
    // in, and leaves the gap alone.
    Picture gap(8, 6, kBack);
    gap.bitBlt(2, 1, 4, 3, src, -2, 0, RasterOp::SrcCopy);
    EXPECT_EQ(gap.pixel(3, 1), kBack);
    EXPECT_EQ(gap.pixel(4, 1), rgb(src, 0, 0));
    EXPECT_EQ(gap.pixel(5, 3), rgb(src, 1, 2));
    EXPECT_EQ(gap.pixel(6, 1), kBack);
}

TEST(PictureClipping, EmptyPicturesOrSourceSizesDrawNothing)
{
    const QImage src = numbered(4, 3);
    Picture empty;
    empty.bitBlt(0, 0, 4, 3, src, 0, 0, RasterOp::SrcCopy);
    empty.stretchBlt(0, 0, 8, 6, src, 0, 0, 4, 3, RasterOp::SrcCopy);
    EXPECT_TRUE(empty.isNull());
    Picture pic(8, 6, kBack);
    pic.bitBlt(0, 0, 4, 3, QImage(), 0, 0, RasterOp::SrcCopy);
    pic.stretchBlt(0, 0, 8, 6, QImage(), 0, 0, 4, 3, RasterOp::SrcCopy);
    pic.stretchBlt(0, 0, 8, 6, src, 0, 0, 0, 3, RasterOp::SrcCopy);
    pic.stretchBlt(0, 0, 8, 6, src, 0, 0, 4, -3, RasterOp::SrcCopy);
    EXPECT_EQ(differences(pic.image(), Picture(8, 6, kBack).image()), "");
}

// Every combination of positions and sizes along one axis at a time, from
// ordinary to absurd: wholly outside either picture, zero and negative sizes,
// near INT_MIN and INT_MAX. Whatever lands inside must be right, and nothing
// may overflow.
TEST(PictureClipping, ExtremeCoordinatesNeitherOverflowNorMisplace)
{
    const QImage src = numbered(5, 4);
    const QImage back = Picture(8, 6, kBack).image();
    for (int d : kExtremes)
        for (int s : kExtremes)
            for (int n : kExtremes) {
                SCOPED_TRACE(testing::Message() << "d=" << d << " s=" << s << " n=" << n);
                Picture across(8, 6, kBack);
                across.bitBlt(d, 1, n, 3, src, s, 0, RasterOp::SrcCopy);
                ASSERT_EQ(differences(across.image(), expectedCopy(back, d, 1, n, 3, src, s, 0)), "");
                Picture down(8, 6, kBack);
                down.bitBlt(1, d, 4, n, src, 0, s, RasterOp::SrcCopy);
                ASSERT_EQ(differences(down.image(), expectedCopy(back, 1, d, 4, n, src, 0, s)), "");
            }
}

TEST(PictureClipping, ExtremeStretchesNeitherOverflowNorMisplace)
{
    const QImage src = numbered(5, 4);
    const QImage back = Picture(8, 6, kBack).image();
    for (int d : kExtremes)
        for (int dn : kExtremes)
            for (int s : kExtremes)
                for (int sn : kExtremes) {
                    SCOPED_TRACE(testing::Message()
                                 << "d=" << d << " dn=" << dn << " s=" << s << " sn=" << sn);
                    Picture across(8, 6, kBack);
                    across.stretchBlt(d, 1, dn, 3, src, s, 0, sn, 4, RasterOp::SrcCopy);
                    ASSERT_EQ(
                        differences(across.image(), expectedStretch(back, d, 1, dn, 3, src, s, 0, sn, 4)),
                        "");
                    Picture down(8, 6, kBack);
                    down.stretchBlt(1, d, 4, dn, src, 0, s, 5, sn, RasterOp::SrcCopy);
                    ASSERT_EQ(differences(down.image(), expectedStretch(back, 1, d, 4, dn, src, 0, s, 5, sn)),
                              "");
                }
}

// ---------------------------------------------------------------------------
// A picture drawn onto itself

TEST(PictureSelfBlit, OverlappingCopiesReadTheOriginalPixels)
{
    const QImage original = numbered(8, 6);
    struct Case
    {
        const char *what;
        int dx, dy, w, h, sx, sy;
    };
    const Case cases[] = {
        {"right by two", 2, 0, 6, 6, 0, 0},
        {"left by two", 0, 0, 6, 6, 2, 0},
        {"down by one", 0, 1, 8, 5, 0, 0},
        {"up and right", 1, 0, 7, 5, 0, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Picture pic(original);
        pic.bitBlt(c.dx, c.dy, c.w, c.h, pic, c.sx, c.sy, RasterOp::SrcCopy);
        EXPECT_EQ(
            differences(pic.image(), expectedCopy(original, c.dx, c.dy, c.w, c.h, original, c.sx, c.sy)), "");
    }
    // The same pixels seen through another image handle count as the same picture.
    Picture pic(original);
    const QImage alias = pic.image();
    pic.bitBlt(2, 0, 6, 6, alias, 0, 0, RasterOp::SrcCopy);
    EXPECT_EQ(differences(pic.image(), expectedCopy(original, 2, 0, 6, 6, original, 0, 0)), "");
}

TEST(PictureSelfBlit, StretchingAndMirroringOntoItselfReadTheOriginalPixels)
{
    const QImage original = numbered(8, 6);
    Picture wide(original);
    wide.stretchBlt(0, 0, 8, 6, wide, 0, 0, 4, 3, RasterOp::SrcCopy);
    EXPECT_EQ(wide.pixel(2, 0), rgb(original, 1, 0)); // not the already-doubled column 0
    EXPECT_EQ(wide.pixel(7, 5), rgb(original, 3, 2));

    Picture flipped(original);
    flipped.stretchBlt(8, 0, -8, 6, flipped, 0, 0, 8, 6, RasterOp::SrcCopy);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(flipped.pixel(x, y), rgb(original, 7 - x, y)) << x << "," << y;
}

// ---------------------------------------------------------------------------
// Stretching

TEST(PictureStretch, DoublingRepeatsEachPixelTwiceEachWay)
{
    QImage src(2, 2, QImage::Format_RGB32);
    src.setPixel(0, 0, 0xff111111);
    src.setPixel(1, 0, 0xff222222);
    src.setPixel(0, 1, 0xff333333);
    src.setPixel(1, 1, 0xff444444);
    Picture pic(6, 6, kBack);
    pic.stretchBlt(1, 1, 4, 4, src, 0, 0, 2, 2, RasterOp::SrcCopy);
    const char *expected[] = {"......", ".1122.", ".1122.", ".3344.", ".3344.", "......"};
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            const char c = expected[y][x];
            EXPECT_EQ(pic.pixel(x, y), c == '.' ? kBack : 0x111111u * QRgb(c - '0')) << x << "," << y;
        }
}

TEST(PictureStretch, HalvingTakesEveryOtherPixelFromTheTopLeft)
{
    const QImage src = numbered(6, 6);
    Picture pic(4, 4, kBack);
    // The 4x4 block at (2, 2) of the source, halved onto (1, 1).
    pic.stretchBlt(1, 1, 2, 2, src, 2, 2, 4, 4, RasterOp::SrcCopy);
    EXPECT_EQ(pic.pixel(1, 1), rgb(src, 2, 2));
    EXPECT_EQ(pic.pixel(2, 1), rgb(src, 4, 2));
    EXPECT_EQ(pic.pixel(1, 2), rgb(src, 2, 4));
    EXPECT_EQ(pic.pixel(2, 2), rgb(src, 4, 4));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(pic.pixel(i, 0), kBack);
        EXPECT_EQ(pic.pixel(i, 3), kBack);
        EXPECT_EQ(pic.pixel(0, i), kBack);
        EXPECT_EQ(pic.pixel(3, i), kBack);
    }
}

TEST(PictureStretch, NegativeWidthMirrorsIntoTheColumnsLeftOfTheAnchor)
{
    QImage src(4, 1, QImage::Format_RGB32);
    for (int x = 0; x < 4; ++x)
        src.setPixel(x, 0, 0xff000000u | QRgb(0x10 * (x + 1)));
    Picture pic(6, 1, kBack);
    pic.stretchBlt(5, 0, -4, 1, src, 0, 0, 4, 1, RasterOp::SrcCopy);
    EXPECT_EQ(pic.pixel(0, 0), kBack);
    EXPECT_EQ(pic.pixel(1, 0), 0x40u);
    EXPECT_EQ(pic.pixel(2, 0), 0x30u);
    EXPECT_EQ(pic.pixel(3, 0), 0x20u);
    EXPECT_EQ(pic.pixel(4, 0), 0x10u);
    EXPECT_EQ(pic.pixel(5, 0), kBack);
}

// A player frame drawn facing right at c-48..c+15 and facing left at
// c-16..c+47 must be mirror images about the edge at column c.
TEST(PictureStretch, MirroredFrameIsTheExactMirrorOfTheUnmirroredOne)
{
    const QImage frame = numbered(64, 48, 3);
    for (const int c : {140, 30, 260}) { // centre, and partly off the left and right edges
        SCOPED_TRACE(c);
        Picture plain(281, 100, 0), mirrored(281, 100, 0);
        plain.stretchBlt(c - 48, 20, 64, 48, frame, 0, 0, 64, 48, RasterOp::SrcCopy);
        mirrored.stretchBlt(c + 48, 20, -64, 48, frame, 0, 0, 64, 48, RasterOp::SrcCopy);
        int compared = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 281; ++x) {
                const int m = 2 * c - 1 - x;
                if (m < 0 || m >= 281)
                    continue;
                ASSERT_EQ(mirrored.pixel(m, y), plain.pixel(x, y)) << x << "," << y;
                ++compared;
            }
        EXPECT_GT(compared, 64 * 48);
    }
    // Scaled frames mirror just as exactly.
    Picture plain(200, 100, 0), mirrored(200, 100, 0);
    plain.stretchBlt(20, 0, 96, 72, frame, 0, 0, 64, 48, RasterOp::SrcCopy);
    mirrored.stretchBlt(180, 0, -96, 72, frame, 0, 0, 64, 48, RasterOp::SrcCopy);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(mirrored.pixel(199 - x, y), plain.pixel(x, y)) << x << "," << y;
}

TEST(PictureStretch, MirroredFrameFromASheetUsesOnlyItsOwnColumns)
{
    // Two 64x48 frames side by side; the second one mirrored must match the
    // same frame cut out on its own.
    const QImage sheet = numbered(128, 48, 5);
    const QImage alone = sheet.copy(64, 0, 64, 48);
    Picture fromSheet(100, 60, kBack), fromAlone(100, 60, kBack);
    fromSheet.stretchBlt(80, 4, -64, 48, sheet, 64, 0, 64, 48, RasterOp::SrcCopy);
    fromAlone.stretchBlt(80, 4, -64, 48, alone, 0, 0, 64, 48, RasterOp::SrcCopy);
    EXPECT_EQ(differences(fromSheet.image(), fromAlone.image()), "");
}

TEST(PictureStretch, ClippedMirroredFrameMatchesTheVisiblePartOfAWholeOne)
{
    const QImage frame = numbered(16, 12, 9);
    // Drawn whole onto a big picture, then the same draw shifted so that the
    // small picture sees only a window of it.
    Picture whole(80, 60, kBack);
    whole.stretchBlt(48, 24, -32, 24, frame, 0, 0, 16, 12, RasterOp::SrcCopy);
    struct Case
    {
        const char *edge;
        int ox, oy; // the small picture's origin within the big one
    };
    const Case cases[] = {{"left", 30, 20}, {"right", 4, 20}, {"top", 10, 34}, {"bottom", 10, 10}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.edge);
        Picture part(30, 20, kBack);
        part.stretchBlt(48 - c.ox, 24 - c.oy, -32, 24, frame, 0, 0, 16, 12, RasterOp::SrcCopy);
        EXPECT_EQ(differences(part.image(), whole.image().copy(c.ox, c.oy, 30, 20)), "");
    }
    // A source rectangle hanging off the source draws only what exists.
    QImage two(2, 1, QImage::Format_RGB32);
    two.fill(0xffabcdef);
    Picture pic(4, 1, kBack);
    pic.stretchBlt(0, 0, 4, 1, two, -1, 0, 2, 1, RasterOp::SrcCopy);
    EXPECT_EQ(pic.pixel(0, 0), kBack);
    EXPECT_EQ(pic.pixel(1, 0), kBack);
    EXPECT_EQ(pic.pixel(2, 0), 0xabcdefu);
    EXPECT_EQ(pic.pixel(3, 0), 0xabcdefu);
}

// ---------------------------------------------------------------------------
// Background, clearing and filling

TEST(PictureBackground, ClearRestoresTheLastCommittedPicture)
{
    Picture pic(6, 4, kBack);
    pic.fillRect(QRect(0, 0, 2, 2), 0x112233);
    EXPECT_EQ(pic.background().pixel(0, 0) & 0xffffff, kBack) << "drawing reached the background";
    pic.clear();
    EXPECT_EQ(differences(pic.image(), Picture(6, 4, kBack).image()), "");

    pic.fillRect(QRect(0, 0, 2, 2), 0x112233);
    pic.commit();
    pic.fillRect(QRect(4, 2, 2, 2), 0x445566);
    EXPECT_EQ(pic.background().pixel(4, 2) & 0xffffff, kBack) << "commit kept a live link to the image";
    pic.clear();
    EXPECT_EQ(pic.pixel(0, 0), 0x112233u);
    EXPECT_EQ(pic.pixel(4, 2), kBack);

    // A new picture replaces both, whatever its size and format.
    QImage court(3, 5, QImage::Format_RGB888);
    court.fill(QColor(0x70, 0x80, 0x90));
    pic.setPicture(court);
    EXPECT_EQ(pic.size(), QSize(3, 5));
    EXPECT_EQ(pic.image().format(), QImage::Format_RGB32);
    pic.fillRect(QRect(0, 0, 3, 5), 0);
    pic.clear();
    EXPECT_EQ(pic.pixel(2, 4), 0x708090u);

    pic.reset(2, 2, 0xfedcba);
    pic.fillRect(QRect(0, 0, 1, 1), 0);
    pic.clear();
    EXPECT_EQ(pic.pixel(0, 0), 0xfedcbau);
    EXPECT_EQ(pic.size(), QSize(2, 2));
}

// Clearing, committing and the places a window is told to repaint follow
// every kind of drawing, clipped or not, with few places, many (rounded out
// to squares) and more than the picture lists one by one, on a picture large
// enough for its own pixels to be taken in large pages.
TEST(PictureBackground, ClearCommitAndChangedPlacesFollowEveryDrawing)
{
    Picture pic(numbered(1100, 1000, 1));
    const Picture sprite(numbered(40, 30, 2));
    QImage background = pic.background().copy();
    QImage shown = pic.image().copy(); // a window that repaints only where it is told
    auto follow = [&] {
        const QRegion places = pic.takeChanged();
        // A region as Qt itself would build it from the same rectangles: one
        // made otherwise would unite, clip and compare wrongly in the window.
        QRegion rebuilt;
        for (const QRect &r : places)
            rebuilt += r;
        EXPECT_TRUE(rebuilt == places);
        EXPECT_TRUE(QRegion(pic.image().rect()).contains(places.boundingRect()));
        for (const QRect &r : places)
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    shown.setPixel(x, y, pic.image().pixel(x, y));
    };
    std::mt19937 rng(7);
    // An ellipse marks the whole picture changed, which would hide every
    // other path: ellipses come in batches of their own.
    auto draw = [&](int count, bool ellipses = false) {
        for (int i = 0; i < count; ++i) {
            const int x = int(rng() % 1200) - 50, y = int(rng() % 1100) - 50;
            const int w = 1 + int(rng() % 60), h = 1 + int(rng() % 40);
            switch (ellipses ? 4 : i % 4) {
            case 0: pic.fillRect(QRect(x, y, w % 7, h % 7), rng() & 0xffffff); break;
            case 1: pic.bitBlt(x, y, 40, 30, sprite, 0, 0, RasterOp::SrcInvert); break;
            case 2: pic.stretchBlt(x, y, -w, h, sprite, 0, 0, 40, 30, RasterOp::SrcPaint); break;
            case 3: pic.drawText(x, y, QStringLiteral("WINER"), QFont(), 0x00ff00); break;
            default: pic.ellipse(QRect(x, y, w, h), 0xffffff, 0x808080); break;
            }
        }
    };
    // Few enough places to keep exactly, more (rounded out to squares),
    // more than are listed, and ellipses.
    for (const auto &[count, ellipses] : {std::pair{3, false}, {10, false}, {3000, false}, {3, true}}) {
        SCOPED_TRACE(std::to_string(count) + (ellipses ? " ellipses" : " drawings"));
        draw(count, ellipses);
        follow();
        EXPECT_TRUE(shown == pic.image());
        pic.clear();
        follow();
        EXPECT_TRUE(pic.image() == background);
        EXPECT_TRUE(shown == background);
    }
    for (const int count : {3, 50}) {
        SCOPED_TRACE(std::to_string(count) + " drawings committed");
        draw(count);
        pic.commit();
        follow();
        EXPECT_TRUE(shown == pic.image());
        background = pic.image().copy();
        EXPECT_TRUE(pic.background() == background);
        draw(count);
        pic.clear();
        follow();
        EXPECT_TRUE(pic.image() == background);
        EXPECT_TRUE(shown == background);
    }

    // The dots of fireworks (dozens of small places) and a sprite that moves
    // on: shown and cleared away again through squares around them.
    for (int frame = 0; frame < 3; ++frame) {
        pic.clear();
        for (int k = 0; k < 36; ++k)
            pic.fillRect(QRect(540 + (k % 6) * (37 + frame), 450 + (k / 6) * 23, 2 + frame, 2 + frame),
                         0xff00ff);
        pic.bitBlt(100 + 30 * frame, 700 + 7 * frame, 40, 30, sprite, 0, 0, RasterOp::SrcPaint);
        follow();
        EXPECT_TRUE(shown == pic.image()) << frame;
    }
    pic.clear();
    follow();
    EXPECT_TRUE(shown == background);
}

TEST(PictureBackground, FillRectCoversItsRectangleAndNothingElse)
{
    struct Case
    {
        const char *what;
        QRect rect;
        QRect covered; // within the 6x4 picture
    };
    const Case cases[] = {
        {"inside", QRect(2, 1, 3, 2), QRect(2, 1, 3, 2)},
        {"over the top left", QRect(-2, -3, 4, 5), QRect(0, 0, 2, 2)},
        {"over the bottom right", QRect(4, 3, 9, 9), QRect(4, 3, 2, 1)},
        {"whole", QRect(-5, -5, 50, 50), QRect(0, 0, 6, 4)},
        {"outside", QRect(6, 0, 3, 3), QRect()},
        {"empty", QRect(1, 1, 0, 2), QRect()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Picture pic(6, 4, kBack);
        pic.fillRect(c.rect, 0x0a0b0c);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x)
                EXPECT_EQ(pic.pixel(x, y), c.covered.contains(x, y) ? 0x0a0b0cu : kBack) << x << "," << y;
    }
}
