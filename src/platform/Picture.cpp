#include "platform/Picture.h"

#include "platform/MemoryPages.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace moka {

namespace {

constexpr QRgb kOpaque = 0xff000000u;
// Beyond this many places a list of them costs more than it saves.
constexpr size_t kMaxPlaces = 2048;
// Up to this many changed places, a window is told of each exactly.
constexpr size_t kExactPlaces = 8;

QImage toSurface(const QImage &picture)
{
    if (picture.format() == QImage::Format_RGB32)
        return picture.copy();
    return picture.convertToFormat(QImage::Format_RGB32);
}

// Combines one row of `n` source pixels into the destination row.
inline void combineRow(QRgb *dst, const QRgb *src, int n, RasterOp op)
{
    switch (op) {
    case RasterOp::SrcCopy:
        for (int i = 0; i < n; ++i)
            dst[i] = src[i] | kOpaque;
        break;
    case RasterOp::SrcAnd:
        for (int i = 0; i < n; ++i)
            dst[i] = (dst[i] & src[i]) | kOpaque;
        break;
    case RasterOp::SrcInvert:
        for (int i = 0; i < n; ++i)
            dst[i] = (dst[i] ^ src[i]) | kOpaque;
        break;
    case RasterOp::SrcPaint:
        for (int i = 0; i < n; ++i)
            dst[i] = dst[i] | src[i] | kOpaque;
        break;
    }
}

inline QRgb combine(QRgb dst, QRgb src, RasterOp op)
{
    switch (op) {
    case RasterOp::SrcCopy: return src | kOpaque;
    case RasterOp::SrcAnd: return (dst & src) | kOpaque;
    case RasterOp::SrcInvert: return (dst ^ src) | kOpaque;
    case RasterOp::SrcPaint: return dst | src | kOpaque;
    }
    return dst;
}

// A copy of `image` whose memory the system may back with large pages: a
// screen-sized picture is then taken into use with a handful of page faults
// instead of thousands (8,100 for one of 3840 × 2160).
QImage largeCopy(const QImage &image)
{
    constexpr size_t kLargePage = MemoryPages::largePage;
    const auto bytes = static_cast<size_t>(image.sizeInBytes());
    if (bytes < 2 * kLargePage)
        return image.copy();
    const size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
    void *memory = std::aligned_alloc(kLargePage, rounded);
    if (!memory)
        return image.copy();
    MemoryPages::preferLarge(memory, rounded);
    MemoryPages::mapNow(memory, rounded);
    std::memcpy(memory, image.constBits(), bytes);
    return QImage(
        static_cast<uchar *>(memory), image.width(), image.height(), image.bytesPerLine(), image.format(),
        [](void *m) { std::free(m); }, memory);
}

} // namespace

Picture::Picture(int width, int height, QRgb fill) { reset(width, height, fill); }

Picture::Picture(const QImage &picture) { setPicture(picture); }

void Picture::setPicture(const QImage &picture)
{
    m_image = toSurface(picture);
    m_background = m_image;
    m_drawn.clear();
    m_allDrawn = false;
    m_allChanged = true;
}

void Picture::setPicture(QImage &&picture)
{
    if (picture.format() == QImage::Format_RGB32)
        m_image = std::move(picture);
    else
        m_image = picture.convertToFormat(QImage::Format_RGB32);
    picture = QImage();
    m_background = m_image;
    m_drawn.clear();
    m_allDrawn = false;
    m_allChanged = true;
}

void Picture::reset(int width, int height, QRgb fill)
{
    m_image = QImage(std::max(0, width), std::max(0, height), QImage::Format_RGB32);
    m_image.fill(fill | kOpaque);
    m_background = m_image;
    m_drawn.clear();
    m_allDrawn = false;
    m_allChanged = true;
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
        m_allChanged = true;
    } else if (m_image.constBits() == m_background.constBits()) {
        // Still one picture: nothing was drawn.
    } else if (m_allDrawn) {
        std::memcpy(m_image.bits(), m_background.constBits(), m_image.sizeInBytes());
        m_allChanged = true;
    } else {
        for (const QRect &rect : m_drawn) {
            copyRect(m_image, m_background, rect);
            changed(rect);
        }
    }
    m_drawn.clear();
    m_allDrawn = false;
}

void Picture::commit()
{
    if (m_background.size() != m_image.size()) {
        m_background = m_image.copy();
    } else if (m_image.constBits() == m_background.constBits()) {
        // Still one picture: nothing was drawn.
    } else if (m_allDrawn) {
        std::memcpy(m_background.bits(), m_image.constBits(), m_image.sizeInBytes());
    } else {
        for (const QRect &rect : m_drawn)
            copyRect(m_background, m_image, rect);
    }
    m_drawn.clear();
    m_allDrawn = false;
}

QRegion Picture::takeChanged()
{
    QRegion region;
    if (m_allChanged) {
        region = QRegion(m_image.rect());
    } else if (m_changed.size() <= kExactPlaces) {
        for (const QRect &rect : m_changed)
            region += rect;
    } else {
        region = tiled(m_changed, m_image.rect());
    }
    m_changed.clear();
    m_allChanged = false;
    return region;
}

QRegion Picture::tiled(const std::vector<QRect> &rects, const QRect &bounds)
{
    // Uniting hundreds of small rectangles (the dots of eight fireworks, this
    // frame's and the last's) costs as much as drawing them, here and again
    // in every region the window system then makes of them. Rounded out to
    // squares of 16, the same places come as a few runs per row, made into a
    // region directly: rows top to bottom, runs left to right, a row's runs
    // all of its height, alike rows joined.
    constexpr int kTile = 16;
    if (bounds.isEmpty())
        return {};
    const int columns = (bounds.width() + kTile - 1) / kTile;
    const int rows = (bounds.height() + kTile - 1) / kTile;
    std::vector<std::uint8_t> marked(static_cast<size_t>(columns) * static_cast<size_t>(rows));
    for (const QRect &rect : rects) {
        const QRect r = rect.intersected(bounds).translated(-bounds.topLeft());
        if (r.isEmpty())
            continue;
        for (int row = r.top() / kTile; row <= r.bottom() / kTile; ++row)
            std::fill_n(marked.begin() + row * columns + r.left() / kTile,
                        r.right() / kTile - r.left() / kTile + 1, std::uint8_t(1));
    }
    std::vector<QRect> bands;
    size_t lastBand = 0; // where the runs of the row above begin
    for (int row = 0; row < rows; ++row) {
        const size_t first = bands.size();
        const int top = bounds.top() + row * kTile;
        const int height = std::min(kTile, bounds.bottom() + 1 - top);
        const std::uint8_t *line = marked.data() + static_cast<size_t>(row) * static_cast<size_t>(columns);
        for (int c = 0; c < columns;) {
            if (!line[c]) {
                ++c;
                continue;
            }
            const int start = c;
            while (c < columns && line[c])
                ++c;
            const int left = bounds.left() + start * kTile;
            const int right = std::min(bounds.left() + c * kTile, bounds.right() + 1);
            bands.emplace_back(left, top, right - left, height);
        }
        // The same runs as the row just above it: that band grows instead.
        const size_t runs = bands.size() - first;
        const bool alike = row > 0 && first > lastBand && first - lastBand == runs && runs > 0 &&
                           bands[lastBand].bottom() + 1 == top &&
                           std::equal(bands.begin() + static_cast<std::ptrdiff_t>(first), bands.end(),
                                      bands.begin() + static_cast<std::ptrdiff_t>(lastBand),
                                      [](const QRect &a, const QRect &b) {
                                          return a.left() == b.left() && a.right() == b.right();
                                      });
        if (alike) {
            for (size_t i = 0; i < runs; ++i)
                bands[lastBand + i].setBottom(bands[first + i].bottom());
            bands.resize(first);
        } else if (runs > 0) {
            lastBand = first;
        }
    }
    QRegion region;
    region.setRects(bands.data(), static_cast<int>(bands.size()));
    return region;
}

void Picture::separate()
{
    if (!m_image.isNull() && m_image.constBits() == m_background.constBits())
        m_image = largeCopy(m_background);
}

void Picture::drawn(const QRect &rect)
{
    if (rect.isEmpty())
        return;
    changed(rect);
    if (m_allDrawn)
        return;
    if (m_drawn.size() >= kMaxPlaces || rect == m_image.rect()) {
        m_drawn.clear();
        m_allDrawn = true;
        return;
    }
    m_drawn.push_back(rect);
}

void Picture::changed(const QRect &rect)
{
    if (m_allChanged)
        return;
    if (m_changed.size() >= kMaxPlaces) {
        m_changed.clear();
        m_allChanged = true;
        return;
    }
    m_changed.push_back(rect);
}

void Picture::bitBlt(int dx, int dy, int w, int h, const Picture &src, int sx, int sy, RasterOp op)
{
    bitBlt(dx, dy, w, h, src.m_image, sx, sy, op);
}

void Picture::bitBlt(int dx, int dy, int w, int h, const QImage &source, int sx, int sy, RasterOp op)
{
    if (w <= 0 || h <= 0 || m_image.isNull() || source.isNull())
        return;
    // A blit from a picture onto itself reads a private copy of the source.
    QImage converted;
    const QImage *src = &source;
    if (source.format() != QImage::Format_RGB32 && source.format() != QImage::Format_ARGB32) {
        converted = source.convertToFormat(QImage::Format_RGB32);
        src = &converted;
    } else if (source.constBits() == m_image.constBits()) {
        converted = source.copy();
        src = &converted;
    }
    // Clip the source rectangle to the source, then the destination. In 64
    // bits: a rectangle anywhere in int range must not overflow on the way.
    qint64 x = dx, y = dy, u = sx, v = sy, cw = w, ch = h;
    if (u < 0) {
        cw += u;
        x -= u;
        u = 0;
    }
    if (v < 0) {
        ch += v;
        y -= v;
        v = 0;
    }
    cw = std::min<qint64>(cw, src->width() - u);
    ch = std::min<qint64>(ch, src->height() - v);
    if (x < 0) {
        cw += x;
        u -= x;
        x = 0;
    }
    if (y < 0) {
        ch += y;
        v -= y;
        y = 0;
    }
    cw = std::min<qint64>(cw, width() - x);
    ch = std::min<qint64>(ch, height() - y);
    if (cw <= 0 || ch <= 0)
        return;
    separate();
    for (int row = 0; row < int(ch); ++row) {
        auto *d = reinterpret_cast<QRgb *>(m_image.scanLine(int(y) + row)) + x;
        const auto *s = reinterpret_cast<const QRgb *>(src->constScanLine(int(v) + row)) + u;
        combineRow(d, s, int(cw), op);
    }
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
    QImage converted;
    const QImage *src = &source;
    if ((source.format() != QImage::Format_RGB32 && source.format() != QImage::Format_ARGB32) ||
        source.constBits() == m_image.constBits()) {
        converted = source.convertToFormat(QImage::Format_RGB32);
        src = &converted;
    }
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
    for (int y = y0; y < y1; ++y) {
        const qint64 srow = sy + (y - top) * sh / height64;
        if (srow < 0 || srow >= src->height())
            continue;
        const auto *s = reinterpret_cast<const QRgb *>(src->constScanLine(int(srow)));
        auto *d = reinterpret_cast<QRgb *>(m_image.scanLine(y));
        for (int x = x0; x < x1; ++x) {
            const int scol = column[static_cast<size_t>(x - x0)];
            if (scol < 0)
                continue;
            d[x] = combine(d[x], s[scol], op);
        }
    }
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
