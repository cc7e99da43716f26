// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "celebration/frmPFM.h"

#include "celebration/CelebrationHost.h"
#include "platform/Platform.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace moka {

frmPFM::frmPFM(CelebrationHost &host)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_host(host)
    , m_sequence(host)
{
    setWindowTitle(Platform::title());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    resize(393, 272);
    m_sequence.onShow = [this](const QRegion &changed) { showChanged(changed); };
}

frmPFM::~frmPFM() = default;

void frmPFM::play()
{
    Platform &platform = this->platform();
    Form_Load();
    // The sequence runs from the first activation. A window system that
    // never activates the window (none at all, or one that refuses to raise
    // it) does not keep the champion from the celebration.
    const std::int64_t giveUp = platform.now() + activationWaitMs;
    while (!m_activationSeen && !platform.ending() && platform.now() < giveUp)
        platform.waitUntil(std::min<std::int64_t>(platform.now() + 10, giveUp));
    if (platform.ending())
        unloadWindow();
    else
        Form_Activate();
}

void frmPFM::Form_Load()
{
    Platform &platform = this->platform();
    hide();
    // The screen the player looks at: the one that shows most of the game.
    const auto mainWindow = m_host.mainWindowRect();
    m_placesKnown = mainWindow.has_value();
    m_screen = platform.screenHolding(mainWindow.value_or(QRect()));
    setGeometry(m_screen);
    placeScreen();
    platform.processEvents();
    platform.processEvents();

    setCursor(m_host.pointer());

    // Still hidden: the sequence copies the screen as the player last saw it.
    m_sequence.open(m_screen);

    setWindowState(windowState() | Qt::WindowFullScreen);
    show();
    raise();
    activateWindow();
}

void frmPFM::Form_Activate()
{
    if (m_activated || m_unloaded)
        return;
    m_activated = true;
    platform().processEvents();
    m_sequence.run();
    unloadWindow();
}

void frmPFM::Form_QueryUnload()
{
    m_sequence.unload();
    m_unloaded = true;
}

void frmPFM::unloadWindow()
{
    Platform &platform = this->platform();
    platform.processEvents();
    hide();
    platform.processEvents();
    m_unloading = true;
    close();
    if (!m_unloaded)
        Form_QueryUnload();
}

void frmPFM::showChanged(const QRegion &changed)
{
    if (!changed.isEmpty())
        update(changed.translated(m_origin));
}

void frmPFM::placeScreen()
{
    // Where the window system does not say where windows stand (Wayland),
    // a full-screen window is taken to cover just its monitor.
    const QPoint origin = m_placesKnown ? m_screen.topLeft() - geometry().topLeft() : QPoint();
    if (origin == m_origin)
        return;
    m_origin = origin;
    update();
}

Platform &frmPFM::platform() { return m_host.platform(); }

bool frmPFM::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        m_activationSeen = true;
    return QWidget::event(e);
}

void frmPFM::paintEvent(QPaintEvent *e)
{
    // Asked for the places the frames changed, and for whatever the window
    // system wants back. Events are handled between frames, when the back
    // buffer holds the frame last copied (the title's black words aside,
    // drawn a moment before the frame that shows them). Drawn a rectangle at
    // a time: unscaled, or scaled just there on a screen of more device
    // pixels than logical ones.
    QPainter p(this);
    const QImage &image = m_sequence.picAAA.image();
    const QRect inside = image.rect().translated(m_origin);
    for (const QRect &rect : e->region()) {
        const QRect part = rect.intersected(inside);
        if (!part.isEmpty())
            p.drawImage(part.topLeft(), image, part.translated(-m_origin));
        // Beyond the monitor's picture (a window larger than the screen read
        // at load, or one spanning other monitors too) the window is black.
        if (!inside.contains(rect))
            for (const QRect &beyond : QRegion(rect).subtracted(inside))
                p.fillRect(beyond, Qt::black);
    }
}

void frmPFM::mousePressEvent(QMouseEvent *e)
{
    Form_MouseDown();
    e->accept();
}

void frmPFM::closeEvent(QCloseEvent *e)
{
    // The celebration is not cut short: only its own last step, or the
    // program ending, closes the window.
    if (!m_unloading && !platform().ending()) {
        e->ignore();
        return;
    }
    if (!m_unloaded)
        Form_QueryUnload();
    e->accept();
}

void frmPFM::moveEvent(QMoveEvent *e)
{
    QWidget::moveEvent(e);
    placeScreen();
}

void frmPFM::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    placeScreen();
}

} // namespace moka
