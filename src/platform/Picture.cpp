// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Picture.h"

#include "platform/MemoryPages.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <utility>
#include <vector>

namespace moka {

namespace {

constexpr QRgb kOpaque = 0xff000000u;

// One axis of a copy clipped at the start: where `start` lies before 0, the
// run is shortened by as much and the other side's start moves with it.
void clipStart(qint64 &start, qint64 &other, qint64 &length)
{
    if (start < 0) {
        length += start;
        other -= start;
        start = 0;
    }
}

QImage toSurface(const QImage &picture)
{
    if (picture.format() == QImage::Format_RGB32)
        return picture.copy();
    return picture.convertToFormat(QImage::Format_RGB32);
}

template <RasterOp op> using Op = std::integral_constant<RasterOp, op>;

// One destination pixel combined with one source pixel by `op`.
template <RasterOp op> inline QRgb combine(QRgb dst, QRgb src)
{
    if constexpr (op == RasterOp::SrcCopy)
        return src | kOpaque;
    else if constexpr (op == RasterOp::SrcAnd)
        return (dst & src) | kOpaque;
    else if constexpr (op == RasterOp::SrcInvert)
        return (dst ^ src) | kOpaque;
    else
        return dst | src | kOpaque;
}

// Calls `draw` with the operation as a type, so that each blit's inner loop
// is compiled for its operation instead of choosing it at every pixel.
template <typename Draw> void withOp(RasterOp op, Draw &&draw)
{
    switch (op) {
    case RasterOp::SrcCopy: draw(Op<RasterOp::SrcCopy>{}); break;
    case RasterOp::SrcAnd: draw(Op<RasterOp::SrcAnd>{}); break;
    case RasterOp::SrcInvert: draw(Op<RasterOp::SrcInvert>{}); break;
    case RasterOp::SrcPaint: draw(Op<RasterOp::SrcPaint>{}); break;
    }
}

} // namespace

Picture::Picture(int width, int height, QRgb fill) { reset(width, height, fill); }

Picture::Picture(const QImage &picture) { setPicture(picture); }

void Picture::setPicture(const QImage &picture)
{
    m_image = toSurface(picture);
    m_background = m_image;
    m_damage.renew();
}

void Picture::setPicture(QImage &&picture)
{
    if (picture.format() == QImage::Format_RGB32)
        m_image = std::move(picture);
    else
        m_image = picture.convertToFormat(QImage::Format_RGB32);
    picture = QImage();
    m_background = m_image;
    m_damage.renew();
}

void Picture::reset(int width, int height, QRgb fill)
{
    m_image = QImage(std::max(0, width), std::max(0, height), QImage::Format_RGB32);
    m_image.fill(fill | kOpaque);
    m_background = m_image;
    m_damage.renew();
}

void Picture::copyRect(QImage &to, const QImage &from, const QRect &rect)
{
    const auto bytes = static_cast<size_t>(rect.width()) * sizeof(QRgb);
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        std::memcpy(reinterpret_cast<QRgb *>(to.scanLine(y)) + rect.left(),
                    reinterpret_cast<const QRgb *>(from.constScanLine(y)) + rect.left(), bytes);
}

void Picture::clear()
{
    if (m_background.size() != m_image.size()) {
        m_image = m_background;
        m_damage.changedAll();
    } else if (m_image.constBits() == m_background.constBits()) {
        // Still one picture: nothing was drawn.
    } else if (m_damage.allDrawn()) {
        std::memcpy(m_image.bits(), m_background.constBits(), m_image.sizeInBytes());
        m_damage.changedAll();
    } else {
        for (const QRect &rect : m_damage.drawnPlaces()) {
            copyRect(m_image, m_background, rect);
            m_damage.changed(rect);
        }
    }
    m_damage.forgetDrawn();
}

void Picture::commit()
{
    if (m_background.size() != m_image.size()) {
        m_background = m_image.copy();
    } else if (m_image.constBits() == m_background.constBits()) {
        // Still one picture: nothing was drawn.
    } else if (m_damage.allDrawn()) {
        std::memcpy(m_background.bits(), m_image.constBits(), m_image.sizeInBytes());
    } else {
        for (const QRect &rect : m_damage.drawnPlaces())
            copyRect(m_background, m_image, rect);
    }
    m_damage.forgetDrawn();
}

QRegion Picture::takeChanged() { return m_damage.takeChanged(m_image.rect()); }

void Picture::separate()
{
    if (!m_image.isNull() && m_image.constBits() == m_background.constBits())
        m_image = MemoryPages::largeCopy(m_background);
}

void Picture::drawn(const QRect &rect) { m_damage.drawn(rect, m_image.rect()); }

const QImage &Picture::readable(const QImage &source, QImage &scratch) const
{
    if (source.format() != QImage::Format_RGB32 && source.format() != QImage::Format_ARGB32)
        scratch = source.convertToFormat(QImage::Format_RGB32);
    else if (source.constBits() == m_image.constBits())
        scratch = source.copy(); // a blit onto itself reads the pixels as they were
    else
        return source;
    return scratch;
}

void Picture::bitBlt(int dx, int dy, int w, int h, const Picture &src, int sx, int sy, RasterOp op)
{
    bitBlt(dx, dy, w, h, src.m_image, sx, sy, op);
}

void Picture::bitBlt(int dx, int dy, int w, int h, const QImage &source, int sx, int sy, RasterOp op)
{
    if (w <= 0 || h <= 0 || m_image.isNull() || source.isNull())
        return;
    QImage scratch;
    const QImage *src = &readable(source, scratch);
    // Clip the source rectangle to the source, then the destination. In 64
    // bits: a rectangle anywhere in int range must not overflow on the way.
    qint64 x = dx, y = dy, u = sx, v = sy, cw = w, ch = h;
    clipStart(u, x, cw);
    clipStart(v, y, ch);
    cw = std::min<qint64>(cw, src->width() - u);
    ch = std::min<qint64>(ch, src->height() - v);
    clipStart(x, u, cw);
    clipStart(y, v, ch);
    cw = std::min<qint64>(cw, width() - x);
    ch = std::min<qint64>(ch, height() - y);
    if (cw <= 0 || ch <= 0)
        return;
    separate();
    withOp(op, [&](auto o) {
        for (int row = 0; row < int(ch); ++row) {
            auto *d = reinterpret_cast<QRgb *>(m_image.scanLine(int(y) + row)) + x;
            const auto *s = reinterpret_cast<const QRgb *>(src->constScanLine(int(v) + row)) + u;
            for (int i = 0; i < int(cw); ++i)
                d[i] = combine<decltype(o)::value>(d[i], s[i]);
        }
    });
    drawn(QRect(int(x), int(y), int(cw), int(ch)));
}

void Picture::stretchBlt(int dx, int dy, int dw, int dh, const Picture &src, int sx, int sy, int sw, int sh,
                         RasterOp op)
{
    stretchBlt(dx, dy, dw, dh, src.m_image, sx, sy, sw, sh, op);
}

void Picture::stretchBlt(int dx, int dy, int dw, int dh, const QImage &source, int sx, int sy, int sw, int sh,
                         RasterOp op)
{
    if (dw == 0 || dh == 0 || sw <= 0 || sh <= 0 || m_image.isNull() || source.isNull())
        return;
    // The destination rectangle in 64 bits, so that flipping INT_MIN or
    // reaching past either end of int cannot overflow.
    qint64 left = dx, top = dy, width64 = dw, height64 = dh;
    const bool mirrored = width64 < 0;
    if (mirrored) {
        width64 = -width64;
        left -= width64;
    }
    if (height64 < 0) { // mirrored top to bottom: not used by the game, drawn upright
        height64 = -height64;
        top -= height64;
    }
    const int x0 = int(std::max<qint64>(left, 0)), x1 = int(std::min<qint64>(left + width64, width()));
    const int y0 = int(std::max<qint64>(top, 0)), y1 = int(std::min<qint64>(top + height64, height()));
    if (x0 >= x1 || y0 >= y1)
        return;
    // Visible, so left and top are back within int range.
    if (!mirrored && width64 == sw && height64 == sh) {
        bitBlt(int(left), int(top), sw, sh, source, sx, sy, op);
        return;
    }
    QImage scratch;
    const QImage *src = &readable(source, scratch);
    // Source column for each destination column, computed once; -1 where it
    // falls outside the source.
    separate();
    std::vector<int> column(static_cast<size_t>(x1 - x0));
    for (int x = x0; x < x1; ++x) {
        qint64 i = x - left;
        if (mirrored)
            i = width64 - 1 - i;
        const qint64 scol = sx + i * sw / width64;
        column[static_cast<size_t>(x - x0)] = scol >= 0 && scol < src->width() ? int(scol) : -1;
    }
    withOp(op, [&](auto o) {
        for (int y = y0; y < y1; ++y) {
            const qint64 srow = sy + (y - top) * sh / height64;
            if (srow < 0 || srow >= src->height())
                continue;
            const auto *s = reinterpret_cast<const QRgb *>(src->constScanLine(int(srow)));
            auto *d = reinterpret_cast<QRgb *>(m_image.scanLine(y));
            for (int x = x0; x < x1; ++x) {
                const int scol = column[static_cast<size_t>(x - x0)];
                if (scol >= 0)
                    d[x] = combine<decltype(o)::value>(d[x], s[scol]);
            }
        }
    });
    drawn(QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1)));
}

void Picture::fillRect(const QRect &rect, QRgb colour)
{
    const QRect r = rect.intersected(m_image.rect());
    if (r.isEmpty())
        return;
    separate();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto *d = reinterpret_cast<QRgb *>(m_image.scanLine(y));
        std::fill(d + r.left(), d + r.right() + 1, colour | kOpaque);
    }
    drawn(r);
}

void Picture::ellipse(const QRect &bounds, QRgb outline, QRgb fill)
{
    if (m_image.isNull())
        return;
    separate();
    QPainter p(&m_image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor::fromRgb(outline));
    p.setBrush(QColor::fromRgb(fill));
    // The bounding box's right and bottom edges are excluded, as on the
    // window system the game was designed for.
    p.drawEllipse(QRect(bounds.left(), bounds.top(), bounds.width() - 1, bounds.height() - 1));
    // Qt's outline of a flat ellipse reaches well beyond its box (30 pixels
    // for one of 288 × 4), so the whole picture counts as drawn.
    drawn(m_image.rect());
}

void Picture::drawText(int x, int y, const QString &text, const QFont &font, QRgb colour)
{
    if (m_image.isNull())
        return;
    separate();
    QPainter p(&m_image);
    p.setFont(font);
    p.setPen(QColor::fromRgb(colour));
    const QFontMetrics fm(font);
    p.drawText(x, y + fm.ascent(), text);
    // The glyphs' own box, with room for a bold face's widening and
    // smoothing, and the line's box.
    const QRect glyphs = fm.boundingRect(text).translated(x, y + fm.ascent()).adjusted(-4, -4, 4, 4);
    drawn((glyphs | QRect(x, y, fm.horizontalAdvance(text), fm.height())).intersected(m_image.rect()));
}

QSize Picture::textSize(const QString &text, const QFont &font)
{
    const QFontMetrics fm(font);
    return {fm.horizontalAdvance(text), fm.height()};
}

} // namespace moka
