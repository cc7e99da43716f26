#include "platform/PictureBox.h"

#include "platform/MouseCodes.h"

#include <QMouseEvent>
#include <QPainter>

namespace moka {

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
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

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF pos = event->position();
    emit mouseMove(MouseCodes::buttons(event->buttons()), MouseCodes::shift(event->modifiers()), pos.x(),
                   pos.y());
}

} // namespace moka
