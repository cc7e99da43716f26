// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/MovableDialog.h"

#include "desktop/WindowPlacement.h"
#include "look/Fonts.h"
#include "look/Looks.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace moka {

MovableDialog::MovableDialog(QWidget *owner, QSize clientSize, QColor background)
    : QDialog(owner ? owner->window() : nullptr, Qt::Dialog | Qt::FramelessWindowHint)
{
    // The window's own font, which its buttons use.
    setFont(Fonts::gothic(9));
    setFixedSize(clientSize + QSize(2 * borderWidth, 2 * borderWidth));
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("clientArea"));
    m_client->setGeometry(borderWidth, borderWidth, clientSize.width(), clientSize.height());
    setBackground(background);
}

void MovableDialog::movesWith(QWidget *part, std::function<void(const QMouseEvent &)> handler)
{
    m_parts.emplace_back(part, std::move(handler));
    part->installEventFilter(this);
}

void MovableDialog::answersKeys(std::initializer_list<int> keys, std::function<void()> action)
{
    m_keys.assign(keys);
    m_keyAction = std::move(action);
}

void MovableDialog::keyPressEvent(QKeyEvent *event)
{
    if (std::find(m_keys.begin(), m_keys.end(), event->key()) == m_keys.end()) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat() && m_keyAction)
        m_keyAction();
    event->accept();
}

void MovableDialog::mousePressEvent(QMouseEvent *event)
{
    Form_MouseDown(*event);
    event->accept();
}

bool MovableDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        for (const auto &[part, handler] : m_parts) {
            if (watched == part) {
                handler(static_cast<const QMouseEvent &>(*event));
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void MovableDialog::setBackground(QColor colour)
{
    m_background = colour;
    Looks::setBackground(this, colour);
    update();
}

void MovableDialog::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_background);
    // Raised edge: light outside and white inside at the top and left, black
    // outside and grey inside at the bottom and right.
    const int r = width() - 1;
    const int b = height() - 1;
    auto edge = [&](int inset, QColor topLeft, QColor bottomRight) {
        p.setPen(topLeft);
        p.drawLine(inset, inset, r - inset - 1, inset);
        p.drawLine(inset, inset, inset, b - inset - 1);
        p.setPen(bottomRight);
        p.drawLine(inset, b - inset, r - inset, b - inset);
        p.drawLine(r - inset, inset, r - inset, b - inset);
    };
    edge(0, QColor(192, 192, 192), QColor(0, 0, 0));
    edge(1, QColor(255, 255, 255), QColor(128, 128, 128));
}

void MovableDialog::setVisible(bool visible)
{
    if (visible && !isVisible() && !testAttribute(Qt::WA_Moved))
        centreOnOwner();
    QDialog::setVisible(visible);
}

void MovableDialog::centreOnOwner()
{
    if (const QWidget *owner = parentWidget())
        WindowPlacement::centre(*this, owner);
}

void MovableDialog::startMove(const QMouseEvent &press)
{
    if (m_following)
        return;
    if (QWindow *handle = windowHandle(); handle && handle->startSystemMove())
        return;
    // No window manager to do it (or it refused): follow the mouse ourselves.
    m_following = true;
    m_grab = press.globalPosition().toPoint() - pos();
    grabMouse();
}

void MovableDialog::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_following) {
        QDialog::mouseMoveEvent(event);
        return;
    }
    move(event->globalPosition().toPoint() - m_grab);
    event->accept();
}

void MovableDialog::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_following) {
        QDialog::mouseReleaseEvent(event);
        return;
    }
    if (event->buttons() == Qt::NoButton)
        stopFollowing();
    event->accept();
}

void MovableDialog::hideEvent(QHideEvent *event)
{
    stopFollowing();
    QDialog::hideEvent(event);
}

void MovableDialog::stopFollowing()
{
    if (!m_following)
        return;
    m_following = false;
    releaseMouse();
}

} // namespace moka
