// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BmpWriter.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

// A palette whose entries are all distinct, so a wrong index shows up as a
// wrong colour too.
QList<QRgb> distinctPalette(int n)
{
    QList<QRgb> p;
    for (int i = 0; i < n; ++i)
        p.append(qRgb((i * 37) & 0xff, (i * 91 + 17) & 0xff, 255 - i * (256 / n)));
    return p;
}

QImage indexed(int w, int h, const QList<QRgb> &palette)
{
    QImage image(w, h, QImage::Format_Indexed8);
    image.setColorTable(palette);
    image.fill(0);
    return image;
}

// Rows mixing everything the encoders special-case: runs longer than 255,
// runs of one and two, stretches of distinct pixels of odd and even length,
// two-colour stipples, and a row of one colour.
QImage mixedRuns(int w, int h, int colours)
{
    QImage image = indexed(w, h, distinctPalette(colours));
    quint32 seed = 12345;
    auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 16) % quint32(n));
    };
    for (int y = 0; y < h; ++y) {
        uchar *row = image.scanLine(y);
        int x = 0;
        while (x < w) {
            const int kind = y == 0 ? 0 : next(5);
            int len = 0;
            switch (kind) {
            case 0: len = y == 0 ? w : 256 + next(40); break; // long run
            case 1: len = 1 + next(2); break;                 // run of 1-2
            case 2: len = 3 + next(8); break;                 // run of 3-10
            default: len = 1 + next(9); break;                // noise
            }
            const uchar a = uchar(next(colours));
            const uchar b = uchar(next(colours));
            for (int i = 0; i < len && x < w; ++i, ++x) {
                if (kind >= 3)
                    row[x] = kind == 3 ? uchar(next(colours)) : (i % 2 ? b : a);
                else
                    row[x] = a;
            }
        }
    }
    return image;
}

QImage decode(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "BMP");
    return reader.read();
}

quint32 u32At(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

quint16 u16At(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

// Decodes with Qt's own reader and compares index and colour pixel by pixel.
// Qt puts white first in the colour table of a two-colour picture, so for
// 1 bit only the colours are compared.
void expectRoundTrip(const QImage &image, BmpWriter::Encoding encoding)
{
    const bool compareIndices = encoding != BmpWriter::Encoding::Mono;
    const QByteArray bytes = BmpWriter::encode(image, encoding);
    ASSERT_FALSE(bytes.isEmpty());
    const QImage back = decode(bytes);
    ASSERT_FALSE(back.isNull());
    ASSERT_EQ(back.size(), image.size());
    ASSERT_TRUE(back.format() == QImage::Format_Indexed8 || back.format() == QImage::Format_Mono);
    const QList<QRgb> palette = image.colorTable();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int want = image.pixelIndex(x, y);
            if (compareIndices) {
                ASSERT_EQ(back.pixelIndex(x, y), want) << "at " << x << "," << y;
            }
            ASSERT_EQ(back.pixel(x, y), palette.value(want, qRgb(0, 0, 0))) << "at " << x << "," << y;
        }
    }
}

// Every possible row of the given width over three colours, one row each.
QImage allShortRows(int w, int colours)
{
    int rows = 1;
    for (int i = 0; i < w; ++i)
        rows *= 3;
    QImage image = indexed(w, rows, distinctPalette(colours));
    for (int y = 0; y < rows; ++y) {
        int code = y;
        for (int x = 0; x < w; ++x, code /= 3)
            image.scanLine(y)[x] = uchar(code % 3 * (colours / 3));
    }
    return image;
}

} // namespace

TEST(BmpWriterRle8, RoundTripsMixedRunsAtOddWidths)
{
    expectRoundTrip(mixedRuns(281, 60, 256), BmpWriter::Encoding::Rle8);
    expectRoundTrip(mixedRuns(7, 40, 256), BmpWriter::Encoding::Rle8);
    expectRoundTrip(mixedRuns(600, 20, 256), BmpWriter::Encoding::Rle8);
}

TEST(BmpWriterRle8, RoundTripsEveryShortRow)
{
    for (int w = 1; w <= 7; ++w) {
        SCOPED_TRACE(w);
        expectRoundTrip(allShortRows(w, 256), BmpWriter::Encoding::Rle8);
    }
}

TEST(BmpWriterRle4, RoundTripsMixedRunsAtOddWidths)
{
    expectRoundTrip(mixedRuns(281, 60, 16), BmpWriter::Encoding::Rle4);
    expectRoundTrip(mixedRuns(7, 40, 16), BmpWriter::Encoding::Rle4);
    expectRoundTrip(mixedRuns(600, 20, 16), BmpWriter::Encoding::Rle4);
}

TEST(BmpWriterRle4, RoundTripsEveryShortRow)
{
    for (int w = 1; w <= 7; ++w) {
        SCOPED_TRACE(w);
        expectRoundTrip(allShortRows(w, 16), BmpWriter::Encoding::Rle4);
    }
}

TEST(BmpWriterMono, RoundTripsOddWidths)
{
    for (int w : {1, 7, 8, 33, 281}) {
        SCOPED_TRACE(w);
        QImage image = indexed(w, 9, {qRgb(0, 0, 0), qRgb(255, 255, 255)});
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < w; ++x)
                image.setPixel(x, y, uint((x * 7 + y * 3) % 5 < 2));
        expectRoundTrip(image, BmpWriter::Encoding::Mono);
    }
}

TEST(BmpWriterHeaders, DescribeTheEncodedData)
{
    struct Case
    {
        BmpWriter::Encoding encoding;
        int bits;
        int compression;
        int colours;
    };
    const Case cases[] = {
        {BmpWriter::Encoding::Mono, 1, 0, 2},
        {BmpWriter::Encoding::Rle4, 4, 2, 16},
        {BmpWriter::Encoding::Rle8, 8, 1, 256},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bits);
        const QImage image = mixedRuns(281, 13, c.colours);
        const QByteArray bytes = BmpWriter::encode(image, c.encoding);
        ASSERT_GT(bytes.size(), 54);
        EXPECT_EQ(bytes.left(2), QByteArray("BM"));
        EXPECT_EQ(u32At(bytes, 2), quint32(bytes.size()));
        const quint32 offset = 14 + 40 + 4 * c.colours;
        EXPECT_EQ(u32At(bytes, 10), offset);
        EXPECT_EQ(u32At(bytes, 14), 40u);
        EXPECT_EQ(int(u32At(bytes, 18)), 281);
        EXPECT_EQ(int(u32At(bytes, 22)), 13); // positive height: bottom row first
        EXPECT_EQ(u16At(bytes, 26), 1);
        EXPECT_EQ(u16At(bytes, 28), c.bits);
        EXPECT_EQ(int(u32At(bytes, 30)), c.compression);
        EXPECT_EQ(u32At(bytes, 34), quint32(bytes.size()) - offset);
        EXPECT_EQ(int(u32At(bytes, 46)), c.colours);
        if (c.compression != 0) {
            // The last row's end-of-line, then end-of-bitmap.
            EXPECT_EQ(bytes.right(4), QByteArray("\0\0\0\1", 4));
        } else {
            EXPECT_EQ(u32At(bytes, 34), 13u * 36u); // 281 bits pad to 36 bytes
        }
    }
}

TEST(BmpWriterHeaders, WritesTheWholePalette)
{
    const QImage image = indexed(4, 4, distinctPalette(5)); // short table
    const QByteArray bytes = BmpWriter::encode(image, BmpWriter::Encoding::Rle8);
    ASSERT_EQ(bytes.size() > 54 + 1024, true);
    const QList<QRgb> palette = distinctPalette(5);
    for (int i = 0; i < 256; ++i) {
        const QRgb want = i < 5 ? palette[i] : qRgb(0, 0, 0);
        const int at = 54 + 4 * i;
        EXPECT_EQ(uchar(bytes[at]), qBlue(want));
        EXPECT_EQ(uchar(bytes[at + 1]), qGreen(want));
        EXPECT_EQ(uchar(bytes[at + 2]), qRed(want));
        EXPECT_EQ(uchar(bytes[at + 3]), 0);
    }
}

TEST(BmpWriterRle, OneColourPacksIntoLongRuns)
{
    // A 281-wide row of one colour is a run of 255 and one of 26, then the
    // end of line: six bytes a row, and two for the end of the bitmap.
    QImage image = indexed(281, 513, distinctPalette(16));
    image.fill(9);
    for (auto encoding : {BmpWriter::Encoding::Rle8, BmpWriter::Encoding::Rle4}) {
        const QByteArray bytes = BmpWriter::encode(image, encoding);
        EXPECT_EQ(u32At(bytes, 34), 513u * 6u + 2u);
        expectRoundTrip(image, encoding);
    }
}

TEST(BmpWriterRejects, ImagesTheEncodingCannotHold)
{
    QImage image = indexed(5, 5, distinctPalette(256));
    image.setPixel(2, 2, 16);
    EXPECT_TRUE(BmpWriter::encode(image, BmpWriter::Encoding::Rle4).isEmpty());
    EXPECT_FALSE(BmpWriter::encode(image, BmpWriter::Encoding::Rle8).isEmpty());
    image.setPixel(2, 2, 1);
    EXPECT_TRUE(BmpWriter::encode(image, BmpWriter::Encoding::Rle4, distinctPalette(17)).isEmpty());
    EXPECT_TRUE(BmpWriter::encode(QImage(5, 5, QImage::Format_RGB32), BmpWriter::Encoding::Rle8).isEmpty());
    EXPECT_TRUE(BmpWriter::encode(QImage(), BmpWriter::Encoding::Mono).isEmpty());
}
