// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The celebration's artwork as the game loads it from the compiled-in assets.
#include "TestGame.h"
#include "app/GameCelebrationHost.h"

#include "celebration/CelebrationSequence.h"
#include "platform/Picture.h"
#include "platform/Resources.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace moka;

namespace {

quint16 u16(const QByteArray &b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }
quint32 u32(const QByteArray &b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }

constexpr int kCupSize = 34820;
constexpr int kCupPixelsAt = 1078;
constexpr int kCupPixelBytes = 33742;
constexpr int kCupWidth = 270;
constexpr int kCupHeight = 310;

// The stored trophy with the header bytes the game writes before loading it.
QByteArray completedCup()
{
    QByteArray bytes = Resources::bytes(QStringLiteral("trophy.bin"));
    const int fill[][2] = {{0, 66},  {1, 77},  {2, 4},  {3, 136}, {10, 54}, {11, 4},
                           {14, 40}, {18, 14}, {19, 1}, {22, 54}, {23, 1}};
    if (bytes.size() >= 26)
        for (const auto &[at, value] : fill)
            bytes[at] = char(value);
    return bytes;
}

QImage decodedCup()
{
    QByteArray bytes = completedCup();
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "bmp");
    return reader.read();
}

bool isBlack(const QImage &image, int x, int y) { return (image.pixel(x, y) & 0xffffff) == 0; }

// Pixels (as "x,y") where `picture` is not black though `mask` is white.
QStringList outsideMask(const QImage &picture, const QImage &mask)
{
    QStringList out;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (!isBlack(mask, x, y) && !isBlack(picture, x, y))
                out << QStringLiteral("%1,%2").arg(x).arg(y);
    return out;
}

} // namespace

TEST(CelebrationArtTest, TrophyResourceIsTheBlankedRle8File)
{
    const QByteArray bytes = Resources::bytes(QStringLiteral("trophy.bin"));
    ASSERT_EQ(bytes.size(), kCupSize);
    EXPECT_EQ(bytes.left(26), QByteArray(26, '\0'));
    // The rest of the information header is kept.
    EXPECT_EQ(u16(bytes, 26), 1);  // planes
    EXPECT_EQ(u16(bytes, 28), 8);  // bits per pixel
    EXPECT_EQ(u32(bytes, 30), 1u); // RLE8
    EXPECT_EQ(u32(bytes, 34), quint32(kCupPixelBytes));
    EXPECT_EQ(u32(bytes, 46), 256u);

    // Walk the pixel data: one end-of-line per row, then the end of the
    // bitmap, then only padding.
    int at = kCupPixelsAt, rows = 0, width = 0;
    bool ended = false;
    while (!ended && at + 1 < bytes.size()) {
        const uchar count = uchar(bytes[at]), value = uchar(bytes[at + 1]);
        at += 2;
        if (count > 0) {
            width += count;
        } else if (value == 0) {
            ASSERT_EQ(width, kCupWidth) << "row " << rows;
            ++rows;
            width = 0;
        } else if (value == 1) {
            ended = true;
        } else {
            ASSERT_GE(value, 3) << "no deltas in the trophy";
            width += value;
            at += (value + 1) & ~1;
        }
    }
    ASSERT_TRUE(ended);
    EXPECT_EQ(rows, kCupHeight);
    EXPECT_EQ(bytes.mid(at), QByteArray(kCupSize - at, '\0'));

    const QByteArray completed = completedCup();
    EXPECT_EQ(completed.left(2), QByteArray("BM"));
    EXPECT_EQ(u32(completed, 2), quint32(kCupSize));
    EXPECT_EQ(u32(completed, 10), quint32(kCupPixelsAt));
    EXPECT_EQ(u32(completed, 14), 40u);
    EXPECT_EQ(u32(completed, 18), quint32(kCupWidth));
    EXPECT_EQ(u32(completed, 22), quint32(kCupHeight));
    EXPECT_EQ(decodedCup().size(), QSize(kCupWidth, kCupHeight));
}

TEST(CelebrationArtTest, PicturesHaveTheirSizesAndDepths)
{
    struct Asset
    {
        const char *name;
        int width, height, bits, compression;
    };
    const Asset assets[] = {
        {"trophy_mask.bmp", 270, 310, 1, 0}, {"banner_gold.bmp", 287, 165, 8, 1},
        {"banner_navy.bmp", 287, 165, 4, 2}, {"banner_mask.bmp", 287, 165, 1, 0},
        {"confetti.bmp", 128, 128, 4, 2},    {"shaded_ball.bmp", 48, 96, 8, 1},
    };
    for (const Asset &a : assets) {
        SCOPED_TRACE(a.name);
        const QByteArray bytes = Resources::bytes(QString::fromLatin1(a.name));
        ASSERT_GT(bytes.size(), 54);
        EXPECT_EQ(bytes.left(2), QByteArray("BM"));
        EXPECT_EQ(u16(bytes, 28), a.bits);
        EXPECT_EQ(u32(bytes, 30), quint32(a.compression));
        EXPECT_EQ(u32(bytes, 10), 54u + 4u * (1u << a.bits)); // a full palette
        const QImage image = Resources::image(QString::fromLatin1(a.name));
        EXPECT_EQ(image.size(), QSize(a.width, a.height));
    }
    // The 16-colour pictures keep the standard palette the recolouring
    // relies on: navy and the confetti colours at their usual places.
    const QImage navy = Resources::image(QStringLiteral("banner_navy.bmp"));
    ASSERT_GE(navy.colorCount(), 16);
    EXPECT_EQ(navy.color(4) & 0xffffff, 0x000080u);
    EXPECT_EQ(navy.color(9) & 0xffffff, 0xff0000u);
}

// Drawn with the mask (AND) and then the picture (XOR) over grey, the trophy
// leaves the grey alone outside its mask, also once the longest names are
// engraved on its band.
TEST(CelebrationArtTest, TrophyAndEngravedNameStayInsideTheMask)
{
    const QImage cup = decodedCup();
    const QImage mask = Resources::image(QStringLiteral("trophy_mask.bmp"));
    ASSERT_EQ(cup.size(), QSize(kCupWidth, kCupHeight));
    ASSERT_EQ(mask.size(), cup.size());
    EXPECT_EQ(outsideMask(cup, mask), QStringList());

    // The trophy as the celebration engraves it.
    for (const QString &name : {QStringLiteral("WWW"), QStringLiteral("MMM"), QStringLiteral("QJW")}) {
        SCOPED_TRACE(name.toStdString());
        TestGame game;
        game.start();
        game.app->match.playerName = name;
        GameCelebrationHost host(*game.app);
        CelebrationSequence celebration(host);
        celebration.open(QRect(QPoint(), game.platform.screen));
        celebration.run();
        const QImage engraved = celebration.picW.background();
        ASSERT_EQ(engraved.size(), cup.size());
        ASSERT_NE(engraved, cup.convertToFormat(engraved.format())) << "nothing engraved";

        Picture screen(kCupWidth, kCupHeight, qRgb(128, 128, 128));
        screen.bitBlt(0, 0, kCupWidth, kCupHeight, mask, 0, 0, RasterOp::SrcAnd);
        screen.bitBlt(0, 0, kCupWidth, kCupHeight, engraved, 0, 0, RasterOp::SrcInvert);
        int changed = 0;
        int magenta = 0;
        for (int y = 0; y < kCupHeight; ++y)
            for (int x = 0; x < kCupWidth; ++x) {
                if (!isBlack(mask, x, y) && screen.pixel(x, y) != 0x808080u)
                    ++changed;
                magenta += screen.pixel(x, y) == 0xff00ffu;
            }
        EXPECT_EQ(changed, 0);
        // The magenta letters are seen: the band is not magenta itself.
        EXPECT_GT(magenta, 150);
    }
}

TEST(CelebrationArtTest, BannerAndBallPicturesAreBlackOutsideTheirMasks)
{
    const QImage mask = Resources::image(QStringLiteral("banner_mask.bmp"));
    for (const char *name : {"banner_gold.bmp", "banner_navy.bmp"}) {
        SCOPED_TRACE(name);
        const QImage picture = Resources::image(QString::fromLatin1(name));
        ASSERT_EQ(picture.size(), mask.size());
        EXPECT_EQ(outsideMask(picture, mask), QStringList());
        // The shadow is the same lettering: it has as much ink as the mask.
        int inked = 0, masked = 0;
        for (int y = 0; y < mask.height(); ++y)
            for (int x = 0; x < mask.width(); ++x)
                inked += !isBlack(picture, x, y), masked += isBlack(mask, x, y);
        EXPECT_GT(inked, masked * 9 / 10);
    }

    const QImage ball = Resources::image(QStringLiteral("shaded_ball.bmp"));
    ASSERT_EQ(ball.size(), QSize(48, 96));
    const QImage top = ball.copy(0, 0, 48, 48), bottom = ball.copy(0, 48, 48, 48);
    EXPECT_EQ(outsideMask(top, bottom), QStringList());
    EXPECT_TRUE(isBlack(bottom, 24, 24)); // a disc filling its square
    EXPECT_TRUE(isBlack(bottom, 1, 24));
    EXPECT_TRUE(isBlack(bottom, 24, 46));
    EXPECT_FALSE(isBlack(bottom, 0, 0));
    EXPECT_FALSE(isBlack(bottom, 47, 47));
    EXPECT_FALSE(isBlack(top, 24, 24));
}

// A piece of confetti copies cell (16 × frame, 16 × colour) with OR: every
// cell must hold a piece, and each piece keeps off its cell's edge so that
// it never shows a straight cut.
TEST(CelebrationArtTest, EveryConfettiCellHoldsAPieceClearOfItsEdge)
{
    const QImage sheet = Resources::image(QStringLiteral("confetti.bmp"));
    ASSERT_EQ(sheet.size(), QSize(128, 128));
    for (int row = 0; row < 8; ++row) {
        for (int frame = 0; frame < 8; ++frame) {
            int ink = 0, edge = 0;
            for (int y = 0; y < 16; ++y) {
                for (int x = 0; x < 16; ++x) {
                    if (isBlack(sheet, frame * 16 + x, row * 16 + y))
                        continue;
                    ++ink;
                    edge += x == 0 || y == 0 || x == 15 || y == 15;
                }
            }
            EXPECT_GE(ink, 6) << "colour " << row << " frame " << frame;
            EXPECT_EQ(edge, 0) << "colour " << row << " frame " << frame;
        }
    }
}
