// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "look/ImageFrame.h"

#include <QPaintEvent>
#include <QPainter>

namespace moka {

ImageFrame::ImageFrame(QWidget *parent, QRect geometry, QColor background, QRect imageGeometry,
                       const QPixmap &picture, QColor fallback)
    : QWidget(parent)
    , m_background(background)
    , m_picture(picture)
    , m_fallback(fallback)
    , m_image(*this, imageGeometry)
{
    setGeometry(geometry);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageFrame::Image::move(int x, int y)
{
    if (x == m_geometry.x() && y == m_geometry.y())
        return;
    const QRect before = m_geometry;
    m_geometry.moveTo(x, y);
    m_frame.update(before.united(m_geometry).intersected(m_frame.rect()));
}

void ImageFrame::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    p.setClipRegion(event->region());
    p.fillRect(rect(), m_background);
    const QRect at = m_image.geometry();
    if (m_picture.isNull())
        p.fillRect(at, m_fallback);
    else
        p.drawPixmap(at.topLeft(), m_picture);
}

} // namespace moka
