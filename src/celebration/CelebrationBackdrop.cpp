// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "celebration/CelebrationBackdrop.h"

#include "celebration/CelebrationHost.h"
#include "platform/Picture.h"
#include "platform/Platform.h"

#include <utility>

namespace moka {

namespace {

// Behind the main window when the screen itself cannot be copied.
constexpr QRgb kDesk = qRgb(28, 36, 52);

} // namespace

// Read line by line: a converted copy of a
// large screen would cost as much memory as the screen copy itself.
bool CelebrationBackdrop::blank(const QImage &capture)
{
    if (capture.isNull())
        return true;
    const bool rgb32 = capture.format() == QImage::Format_RGB32 ||
                       capture.format() == QImage::Format_ARGB32 ||
                       capture.format() == QImage::Format_ARGB32_Premultiplied;
    for (int y = 0; y < capture.height(); ++y) {
        const QImage row =
            rgb32 ? QImage() : capture.copy(0, y, capture.width(), 1).convertToFormat(QImage::Format_RGB32);
        const auto *line =
            reinterpret_cast<const QRgb *>(rgb32 ? capture.constScanLine(y) : row.constScanLine(0));
        for (int x = 0; x < capture.width(); ++x) {
            if (line[x] & 0xffffffu)
                return false;
        }
    }
    return true;
}

void CelebrationBackdrop::take(Picture &picture, CelebrationHost &host, const QRect &screen)
{
    const int w = screen.width(), h = screen.height();
    QImage capture = host.platform().grabScreen(screen);
    if (!blank(capture)) {
        // A screen of more device pixels than it has logical ones.
        if (capture.size() != QSize(w, h))
            capture = capture.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        picture.setPicture(std::move(capture));
        return;
    }
    // Where the screen cannot be copied, the main window stands in for it
    // where it is (in the middle where the window system does not tell), on a
    // dark desk: the celebration then still opens over the game rather than
    // over nothing.
    capture = QImage();
    picture.reset(w, h, kDesk);
    const QImage window = host.mainWindowPicture();
    if (window.isNull())
        return;
    const auto place = host.mainWindowRect();
    const QPoint at = place ? place->topLeft() - screen.topLeft()
                            : QPoint((w - window.width()) / 2, (h - window.height()) / 2);
    picture.bitBlt(at.x(), at.y(), window.width(), window.height(), window, 0, 0, RasterOp::SrcCopy);
}

} // namespace moka
