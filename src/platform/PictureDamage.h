// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>
#include <QRegion>

#include <vector>

namespace moka {

// A picture's damage bookkeeping: where it has been drawn since it last
// equalled its background, so that clearing and committing copy just those
// places, and where its image has changed since a window last asked, so that
// a window repaints just those. Either list gives way to "all of it" once it
// holds more places than it saves copying.
class PictureDamage
{
public:
    // A new content: nothing drawn over it, all of it changed.
    void renew();
    // Notes that `rect` of the picture `bounds` was drawn into; it changed too.
    void drawn(const QRect &rect, const QRect &bounds);
    // Notes that `rect` changed without being drawn into (cleared back).
    void changed(const QRect &rect);
    void changedAll() { m_allChanged = true; }

    // Where the image may differ from the background: all of it, or the
    // places listed.
    bool allDrawn() const { return m_allDrawn; }
    const std::vector<QRect> &drawnPlaces() const { return m_drawn; }
    // The image equals its background again.
    void forgetDrawn();

    // Where the picture `bounds` changed since the last call, and forgets it.
    QRegion takeChanged(const QRect &bounds);

private:
    // The places of `rects` inside `bounds`, rounded out to squares.
    static QRegion tiled(const std::vector<QRect> &rects, const QRect &bounds);

    std::vector<QRect> m_drawn;
    bool m_allDrawn = false;
    std::vector<QRect> m_changed;
    bool m_allChanged = true;
};

} // namespace moka
