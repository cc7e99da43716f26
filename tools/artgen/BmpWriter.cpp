// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BmpWriter.h"

#include <QSaveFile>

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kCompressionNone = 0;
constexpr int kCompressionRle8 = 1;
constexpr int kCompressionRle4 = 2;
constexpr int kPixelsPerMetre = 2835; // 72 dpi

void putU16(QByteArray &out, quint16 v)
{
    out.append(char(v & 0xff));
    out.append(char(v >> 8));
}

void putU32(QByteArray &out, quint32 v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((v >> shift) & 0xff));
}

// Pixels from `i` on that repeat one value.
int sameRun(const uchar *p, int i, int width)
{
    int n = 1;
    while (i + n < width && n < 255 && p[i + n] == p[i])
        ++n;
    return n;
}

// Pixels from `i` on that alternate between p[i] and p[i+1]; RLE4's encoded
// mode repeats a byte of two nibbles, so both a flat run and a two-colour
// stipple cost two bytes.
int pairRun(const uchar *p, int i, int width)
{
    if (i + 1 >= width)
        return 1;
    int n = 2;
    while (i + n < width && n < 255 && p[i + n] == p[i + (n & 1)])
        ++n;
    return n;
}

} // namespace

QByteArray BmpWriter::rle8Row(const uchar *p, int width)
{
    QByteArray out;
    int i = 0;
    while (i < width) {
        const int run = sameRun(p, i, width);
        if (run >= 3) {
            out.append(char(run));
            out.append(char(p[i]));
            i += run;
            continue;
        }
        // Gather distinct pixels until a run worth encoding begins.
        int j = i;
        while (j < width && j - i < 255 && sameRun(p, j, width) < 3)
            ++j;
        const int len = j - i;
        if (len >= 3) {
            out.append('\0');
            out.append(char(len));
            out.append(reinterpret_cast<const char *>(p + i), len);
            if (len & 1)
                out.append('\0'); // absolute runs end on a word boundary
        } else {
            // 1 and 2 are escape codes, so short stretches go out as runs.
            for (int k = i; k < j;) {
                const int n = sameRun(p, k, j);
                out.append(char(n));
                out.append(char(p[k]));
                k += n;
            }
        }
        i = j;
    }
    return out;
}

QByteArray BmpWriter::rle4Row(const uchar *p, int width)
{
    QByteArray out;
    int i = 0;
    while (i < width) {
        const int run = pairRun(p, i, width);
        if (run >= 4) {
            const uchar second = run > 1 ? p[i + 1] : p[i];
            out.append(char(run));
            out.append(char((p[i] << 4) | second));
            i += run;
            continue;
        }
        int j = i;
        while (j < width && j - i < 255 && pairRun(p, j, width) < 4)
            ++j;
        const int len = j - i;
        if (len >= 3) {
            out.append('\0');
            out.append(char(len));
            int bytes = 0;
            for (int k = 0; k < len; k += 2, ++bytes) {
                const uchar hi = p[i + k];
                const uchar lo = k + 1 < len ? p[i + k + 1] : 0;
                out.append(char((hi << 4) | lo));
            }
            if (bytes & 1)
                out.append('\0');
        } else {
            // One or two pixels fit a single encoded run.
            const uchar second = len > 1 ? p[i + 1] : p[i];
            out.append(char(len));
            out.append(char((p[i] << 4) | second));
        }
        i = j;
    }
    return out;
}

QByteArray BmpWriter::monoBits(const QImage &image)
{
    const int w = image.width();
    const int stride = ((w + 31) / 32) * 4;
    QByteArray out;
    out.reserve(stride * image.height());
    for (int y = image.height() - 1; y >= 0; --y) {
        const uchar *src = image.constScanLine(y);
        QByteArray row(stride, '\0');
        for (int x = 0; x < w; ++x)
            if (src[x])
                row[x / 8] = char(uchar(row[x / 8]) | (0x80 >> (x % 8)));
        out.append(row);
    }
    return out;
}

QByteArray BmpWriter::encode(const QImage &image, Encoding encoding, const QList<QRgb> &palette)
{
    if (image.isNull() || image.format() != QImage::Format_Indexed8)
        return {};

    int bits = 8;
    int compression = kCompressionRle8;
    switch (encoding) {
    case Encoding::Mono:
        bits = 1;
        compression = kCompressionNone;
        break;
    case Encoding::Rle4:
        bits = 4;
        compression = kCompressionRle4;
        break;
    case Encoding::Rle8:
        bits = 8;
        compression = kCompressionRle8;
        break;
    }
    const int colours = 1 << bits;

    QList<QRgb> table = palette.isEmpty() ? image.colorTable() : palette;
    if (table.size() > colours)
        return {};
    while (table.size() < colours)
        table.append(qRgb(0, 0, 0));

    const int w = image.width();
    const int h = image.height();
    for (int y = 0; y < h; ++y) {
        const uchar *row = image.constScanLine(y);
        for (int x = 0; x < w; ++x)
            if (row[x] >= colours)
                return {};
    }

    QByteArray pixels;
    if (encoding == Encoding::Mono) {
        pixels = monoBits(image);
    } else {
        for (int y = h - 1; y >= 0; --y) {
            const uchar *row = image.constScanLine(y);
            pixels.append(encoding == Encoding::Rle8 ? rle8Row(row, w) : rle4Row(row, w));
            pixels.append('\0'); // end of line
            pixels.append('\0');
        }
        pixels.append('\0'); // end of bitmap
        pixels.append('\1');
    }

    const quint32 offset = kFileHeaderSize + kInfoHeaderSize + 4 * colours;
    QByteArray out;
    out.reserve(int(offset) + pixels.size());

    out.append("BM", 2);
    putU32(out, offset + quint32(pixels.size()));
    putU16(out, 0);
    putU16(out, 0);
    putU32(out, offset);

    putU32(out, kInfoHeaderSize);
    putU32(out, quint32(w));
    putU32(out, quint32(h)); // positive: bottom row first
    putU16(out, 1);          // planes
    putU16(out, quint16(bits));
    putU32(out, quint32(compression));
    putU32(out, quint32(pixels.size()));
    putU32(out, kPixelsPerMetre);
    putU32(out, kPixelsPerMetre);
    putU32(out, quint32(colours)); // colours used
    putU32(out, 0);                // all colours important

    for (QRgb c : table) {
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append('\0');
    }
    out.append(pixels);
    return out;
}

bool BmpWriter::write(const QString &path, const QImage &image, Encoding encoding, const QList<QRgb> &palette,
                      QString *error)
{
    const QByteArray bytes = encode(image, encoding, palette);
    if (bytes.isEmpty()) {
        if (error)
            *error = QStringLiteral("%1: image cannot be encoded at this depth").arg(path);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
