// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

// Writes Windows bitmaps (BITMAPFILEHEADER + 40-byte BITMAPINFOHEADER,
// bottom row first) from an indexed image. The game's pictures come in three
// flavours: 1 bit uncompressed, 4 bit RLE4 and 8 bit RLE8.
class BmpWriter
{
public:
    enum class Encoding {
        Mono, // 1 bit per pixel, 2 colours, uncompressed
        Rle4, // 4 bits per pixel, 16 colours, run-length encoded
        Rle8, // 8 bits per pixel, 256 colours, run-length encoded
    };

    // The whole file as bytes. `palette` overrides the image's colour table;
    // it is padded with black up to the encoding's full size (2, 16 or 256
    // entries). Returns an empty array when the image is not Format_Indexed8,
    // is empty, or uses an index the encoding cannot hold.
    static QByteArray encode(const QImage &image, Encoding encoding, const QList<QRgb> &palette = {});

    // Writes encode()'s bytes to `path`; false (with `error` filled in when
    // given) if encoding or writing fails.
    static bool write(const QString &path, const QImage &image, Encoding encoding,
                      const QList<QRgb> &palette = {}, QString *error = nullptr);

    // One row of pixel indices in RLE8 or RLE4 form, without the end-of-line
    // marker. Runs of 3+ distinct pixels go out in absolute mode, the rest as
    // encoded runs of at most 255 pixels.
    static QByteArray rle8Row(const uchar *indices, int width);
    static QByteArray rle4Row(const uchar *indices, int width);

private:
    static QByteArray monoBits(const QImage &image);
};
