// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/frmSPRUSH.h"

#include "app/Application.h"
#include "desktop/WindowPlacement.h"
#include "desktop/WindowSystem.h"
#include "look/Texts.h"
#include "platform/Platform.h"
#include "platform/Resources.h"

#include <QCloseEvent>
#include <QPainter>

namespace moka {

frmSPRUSH::frmSPRUSH(Application &app, QWidget *owner)
    // On X11 a dialog: transient for the main window, so window managers keep
    // it above it. Wayland compositors keep a plain window made after the
    // main window above it too, and deliver clicks to it reliably.
    : QWidget(owner, (WindowSystem::canPlaceWindows() ? Qt::Dialog : Qt::Window) | Qt::FramelessWindowHint)
    , m_app(app)
    , m_card(Resources::image(QStringLiteral("splash.bmp")))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("mokaRUNs"));
    resize(284, 204); // as stored; the load gives it its real size
}

void frmSPRUSH::Form_Load()
{
    Platform &platform = m_app.platform();
    if (platform.screenDepth() <= 8 || platform.screenSize().height() < 600) {
        platform.messageBox(Texts::displayRefused());
        m_app.APP_END();
        return;
    }
    setFixedSize(280, 200);
    WindowPlacement::centreOnScreen(*this, parentWidget());
    m_app.splashLoaded = true;
}

void frmSPRUSH::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(64, 0, 96));
    if (!m_card.isNull())
        p.drawImage(0, 0, m_card);
}

void frmSPRUSH::keyPressEvent(QKeyEvent *) { close(); }

void frmSPRUSH::mousePressEvent(QMouseEvent *) { close(); }

void frmSPRUSH::closeEvent(QCloseEvent *event)
{
    m_app.splashLoaded = false;
    m_app.setSplash(nullptr);
    event->accept();
}

} // namespace moka
