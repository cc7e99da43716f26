// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "look/PictureBox.h"

#include "platform/MouseCodes.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

namespace moka {

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
    , m_pointerTakenBack(QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.fillRect(rect(), palette().window());
    if (!m_picture.isNull())
        p.drawImage(QRect(QPoint(0, 0), m_picture.size()), m_picture.image());
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    const QPointF pos = event->position();
    emit mouseDown(MouseCodes::button(event->button()), MouseCodes::shift(event->modifiers()), pos.x(),
                   pos.y());
}

// A pointer that arrives over the box without moving (a dialog above it
// closes, or the pointer jumps in) is reported as a move where it stands, so
// the box's pointer and whatever follows the mouse are right before the
// player's next move.
void PictureBox::enterEvent(QEnterEvent *event)
{
    const QPointF pos = event->position();
    emit mouseMove(MouseCodes::buttons(QGuiApplication::mouseButtons()),
                   MouseCodes::shift(QGuiApplication::keyboardModifiers()), pos.x(), pos.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF pos = event->position();
    emit mouseMove(MouseCodes::buttons(event->buttons()), MouseCodes::shift(event->modifiers()), pos.x(),
                   pos.y());
    // Qt's Wayland support puts the window's own pointer back on one of the
    // first moves after the pointer comes in from the title bar, over the
    // pointer a box sets for itself then (the racket when it comes in over
    // the lower court). Showing ours again on every move keeps it.
    if (m_pointerTakenBack && testAttribute(Qt::WA_SetCursor))
        setCursor(cursor());
}

} // namespace moka
