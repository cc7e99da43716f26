// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/PictureDamage.h"

#include <algorithm>
#include <cstdint>

namespace moka {

namespace {

// Beyond this many places a list of them costs more than it saves.
constexpr size_t kMaxPlaces = 2048;
// Up to this many changed places, a window is told of each exactly.
constexpr size_t kExactPlaces = 8;

} // namespace

void PictureDamage::renew()
{
    forgetDrawn();
    m_allChanged = true;
}

void PictureDamage::forgetDrawn()
{
    m_drawn.clear();
    m_allDrawn = false;
}

void PictureDamage::drawn(const QRect &rect, const QRect &bounds)
{
    if (rect.isEmpty())
        return;
    changed(rect);
    if (m_allDrawn)
        return;
    if (m_drawn.size() >= kMaxPlaces || rect == bounds) {
        m_drawn.clear();
        m_allDrawn = true;
        return;
    }
    m_drawn.push_back(rect);
}

void PictureDamage::changed(const QRect &rect)
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

QRegion PictureDamage::takeChanged(const QRect &bounds)
{
    QRegion region;
    if (m_allChanged) {
        region = QRegion(bounds);
    } else if (m_changed.size() <= kExactPlaces) {
        for (const QRect &rect : m_changed)
            region += rect;
    } else {
        region = tiled(m_changed, bounds);
    }
    m_changed.clear();
    m_allChanged = false;
    return region;
}

QRegion PictureDamage::tiled(const std::vector<QRect> &rects, const QRect &bounds)
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

} // namespace moka
