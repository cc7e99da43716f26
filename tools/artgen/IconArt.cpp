// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "IconArt.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

const QColor kFrame(128, 128, 0);
const QColor kFrameDark(72, 72, 0);
const QColor kStrings(168, 168, 168);
const QColor kGrip(96, 56, 24);
const QColor kBall(255, 232, 0);
const QColor kBallDark(176, 140, 0);

} // namespace

QImage IconArt::render(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Everything below is laid out on a 32-unit square.
    const double s = size / 32.0;
    p.scale(s, s);
    const double hair = std::max(0.6, 1.0 / s); // never thinner than a pixel

    // Racket: head up and to the left, handle down and to the right.
    p.save();
    p.translate(12.5, 17.5);
    p.rotate(-40.0);
    const QRectF head(-6.6, -9.0, 13.2, 18.0);

    // Handle and throat.
    QPainterPath throat;
    throat.moveTo(-3.2, 7.0);
    throat.lineTo(-1.1, 12.0);
    throat.lineTo(1.1, 12.0);
    throat.lineTo(3.2, 7.0);
    p.setPen(QPen(kFrameDark, hair));
    p.setBrush(kFrame);
    p.drawPath(throat);
    p.setBrush(kGrip);
    p.drawRoundedRect(QRectF(-1.5, 11.5, 3.0, 7.5), 1.0, 1.0);

    // Strings, clipped to the inside of the head.
    p.save();
    QPainterPath inside;
    inside.addEllipse(head.adjusted(1.0, 1.0, -1.0, -1.0));
    p.setClipPath(inside);
    p.setPen(QPen(kStrings, std::max(0.55, 0.8 / s)));
    const double pitch = size < 24 ? 3.2 : 2.2;
    for (double x = -pitch * 3; x <= pitch * 3; x += pitch)
        p.drawLine(QPointF(x, -10.0), QPointF(x, 10.0));
    for (double y = -pitch * 4; y <= pitch * 4; y += pitch)
        p.drawLine(QPointF(-8.0, y), QPointF(8.0, y));
    p.restore();

    // Frame: olive ring with a darker rim.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kFrameDark, std::max(2.6, 2.2 / s)));
    p.drawEllipse(head);
    p.setPen(QPen(kFrame, std::max(1.6, 1.2 / s)));
    p.drawEllipse(head);
    p.restore();

    // Ball, above and to the right of the head.
    const QPointF ball(23.5, 7.5);
    const double r = 6.0;
    QRadialGradient shade(ball + QPointF(-2.0, -2.0), r * 1.6);
    shade.setColorAt(0.0, QColor(255, 255, 170));
    shade.setColorAt(0.45, kBall);
    shade.setColorAt(1.0, QColor(214, 170, 0));
    p.setPen(QPen(kBallDark, hair));
    p.setBrush(shade);
    p.drawEllipse(ball, r, r);
    if (size >= 24) {
        // The felt seam: two curves near the edges, bowed towards each other.
        p.save();
        QPainterPath felt;
        felt.addEllipse(ball, r - hair / 2, r - hair / 2);
        p.setClipPath(felt);
        p.setPen(QPen(QColor(255, 255, 235), std::max(0.7, 1.1 / s)));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(ball + QPointF(-1.45 * r, 0.0), r, r);
        p.drawEllipse(ball + QPointF(1.45 * r, 0.0), r, r);
        p.restore();
    }
    p.end();
    return image;
}
