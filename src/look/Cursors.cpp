// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "look/Cursors.h"

#include <QGuiApplication>
#include <QPixmap>

namespace moka {

QCursor Cursors::fromPicture(const QImage &picture, int hotX, int hotY)
{
    return fromPicture(picture, hotX, hotY, qApp ? qApp->devicePixelRatio() : 1.0);
}

QCursor Cursors::fromPicture(const QImage &picture, int hotX, int hotY, qreal ratio)
{
    if (picture.isNull())
        return QCursor(Qt::ArrowCursor);
    if (ratio <= 0)
        ratio = 1;
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    if (ratio != 1) {
        // The window system takes a pointer picture pixel for pixel, whatever
        // the screen's scale: a racket of 32 pixels would be half the size of
        // the court's rackets on a screen of ratio 2.
        image = image.scaled(qRound(image.width() * ratio), qRound(image.height() * ratio),
                             Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    // The hot spot counts pixels of the enlarged picture.
    return QCursor(pixmap, qRound(hotX * ratio), qRound(hotY * ratio));
}

QCursor Cursors::invisible() { return QCursor(Qt::BlankCursor); }

} // namespace moka
