// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "look/Cursors.h"

#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

using moka::Cursors;

namespace {

// A 32 × 32 pointer picture of hard-edged, fully opaque or fully clear
// pixels, every opaque one a different colour.
QImage pointerPicture()
{
    QImage img(32, 32, QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            img.setPixel(x, y, (x + y) % 3 == 0 ? qRgba(0, 0, 0, 0) : qRgba(x * 8, y * 8, 0x55, 0xff));
    return img;
}

} // namespace

// On a screen of ratio 2 the racket pointer keeps its size against the court:
// every picture pixel becomes a 2 × 2 block of the same colour (no smoothed
// edges, no half-clear pixels) and the hot spot stays on the same picture
// pixel. At ratio 1 the picture is taken as it is.
TEST(Cursors, PointerPictureFollowsTheDevicePixelRatioWithoutSmoothing)
{
    const QImage picture = pointerPicture();

    const QCursor plain = Cursors::fromPicture(picture, 16, 20, 1.0);
    EXPECT_EQ(plain.pixmap().size(), QSize(32, 32));
    EXPECT_EQ(plain.hotSpot(), QPoint(16, 20));
    EXPECT_EQ(plain.pixmap().toImage().convertToFormat(QImage::Format_ARGB32), picture);

    const QCursor doubled = Cursors::fromPicture(picture, 16, 20, 2.0);
    const QImage shown = doubled.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(shown.size(), QSize(64, 64));
    EXPECT_EQ(doubled.hotSpot(), QPoint(32, 40));
    int wrong = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            wrong += shown.pixel(x, y) != picture.pixel(x / 2, y / 2);
    EXPECT_EQ(wrong, 0) << "pixels of the doubled pointer that are not their picture pixel's colour";

    // A missing picture still gives a usable pointer.
    EXPECT_EQ(Cursors::fromPicture(QImage(), 16, 20, 2.0).shape(), Qt::ArrowCursor);
}
