// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/PictureDamage.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QString>

namespace moka {

// How a blit combines source and destination pixels, bitwise on RGB.
enum class RasterOp {
    SrcCopy,   // dest = src
    SrcAnd,    // dest = dest & src   (masks: black shape on white)
    SrcInvert, // dest = dest ^ src   (sprites drawn on black after their mask)
    SrcPaint,  // dest = dest | src   (additive sprites on black)
};

// A drawing surface: an image plus a background picture. Clearing restores
// the background; committing makes the current image the new background.
// Every blit is clipped against both pictures, so drawing partly or wholly
// outside never touches memory it does not own.
//
// The picture keeps note (PictureDamage) of where it has been drawn since it
// last equalled its background, so that clearing and committing copy just
// those places, and of where its image has changed since a window last
// asked, so that a window repaints just those (takeChanged). On a
// screen-sized picture this is the difference between copying a few sprites
// and the whole screen.
class Picture
{
public:
    Picture() = default;
    Picture(int width, int height, QRgb fill = qRgb(0, 0, 0));
    explicit Picture(const QImage &picture);

    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    QSize size() const { return m_image.size(); }
    bool isNull() const { return m_image.isNull(); }

    // The picture shown now, and the one a clear goes back to.
    const QImage &image() const { return m_image; }
    const QImage &background() const { return m_background; }

    // Gives the picture a new content: image and background both become a
    // 32-bit copy of `picture`, and the size follows it.
    void setPicture(const QImage &picture);
    // The same, taking over the pixels of a picture that owns them (not one
    // made on a buffer of the caller's) without a copy where they are 32-bit.
    void setPicture(QImage &&picture);
    // Resizes to `width` × `height` filled with `fill`, as image and background.
    void reset(int width, int height, QRgb fill = qRgb(0, 0, 0));

    void clear();
    void commit();

    // Where the image has changed since the last call (drawn into, cleared
    // back or given a new content), and forgets it.
    QRegion takeChanged();

    void bitBlt(int dx, int dy, int w, int h, const Picture &src, int sx, int sy, RasterOp op);
    void bitBlt(int dx, int dy, int w, int h, const QImage &src, int sx, int sy, RasterOp op);
    // Nearest-neighbour stretch of the source rectangle onto the destination
    // rectangle. A negative destination width mirrors left to right: the
    // destination then spans x from dx + dw to dx - 1.
    void stretchBlt(int dx, int dy, int dw, int dh, const Picture &src, int sx, int sy, int sw, int sh,
                    RasterOp op);
    void stretchBlt(int dx, int dy, int dw, int dh, const QImage &src, int sx, int sy, int sw, int sh,
                    RasterOp op);

    // Solid rectangle, right and bottom edges excluded.
    void fillRect(const QRect &rect, QRgb colour);
    // Filled ellipse inside `bounds` with a one-pixel outline.
    void ellipse(const QRect &bounds, QRgb outline, QRgb fill);
    // Text with a transparent background, its top-left corner at (x, y).
    void drawText(int x, int y, const QString &text, const QFont &font, QRgb colour);
    static QSize textSize(const QString &text, const QFont &font);

    QRgb pixel(int x, int y) const { return m_image.pixel(x, y) & 0xffffff; }

private:
    // Gives the image pixels of its own before it is first drawn into.
    void separate();
    // Notes that `rect` (already inside the image) was drawn into.
    void drawn(const QRect &rect);
    // The one conversion of a blit's source: `source` as 32-bit pixels that
    // can be read while the image is written, converted or copied into
    // `scratch` where it is not.
    const QImage &readable(const QImage &source, QImage &scratch) const;
    // Copies `rect` of `from` into `to`, both of the picture's size.
    static void copyRect(QImage &to, const QImage &from, const QRect &rect);

    QImage m_image;
    QImage m_background;
    PictureDamage m_damage;
};

} // namespace moka
