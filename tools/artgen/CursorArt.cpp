// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CursorArt.h"

#include "RacketShape.h"

namespace {
constexpr int kSize = 32;
}

QImage CursorArt::racket()
{
    RacketShape::Pose pose;
    pose.head = QPointF(HotX + 0.5, HotY + 0.5);
    pose.angle = 40.0;
    pose.headLength = 18.0;
    pose.headWidth = 15.0;
    pose.rimWidth = 1.0;
    pose.stringPitch = 4.0;
    pose.throatLength = 2.0;
    pose.handleLength = 6.0;
    pose.handleWidth = 2.0;
    pose.wrap = false;
    const QImage map = RacketShape::render(kSize, kSize, pose);

    QImage image(kSize, kSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            switch (RacketShape::at(map, x, y)) {
            case RacketShape::Rim:
            case RacketShape::String:
            case RacketShape::Throat:
            case RacketShape::Grip:
            case RacketShape::Butt: image.setPixel(x, y, qRgba(0, 0, 0, 255)); break;
            default: break;
            }
        }
    }
    return image;
}

QImage CursorArt::none()
{
    QImage image(kSize, kSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}
