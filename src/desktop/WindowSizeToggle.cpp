// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/WindowSizeToggle.h"

#include "desktop/WindowSystem.h"
#include "desktop/X11Frame.h"

#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindowStateChangeEvent>

#include <algorithm>

namespace moka {

WindowSizeToggle::Outcome WindowSizeToggle::afterMaximize(Qt::WindowStates reported, const QRect &frame,
                                                          const QRect &workArea)
{
    if (reported & Qt::WindowFullScreen)
        return Outcome::Keep;
    const bool wide = qint64(frame.width()) * 10 >= qint64(workArea.width()) * 9;
    const bool tall = qint64(frame.height()) * 10 >= qint64(workArea.height()) * 9;
    return wide && tall ? Outcome::Keep : Outcome::FullScreen;
}

WindowSizeToggle::WindowSizeToggle(QWidget &window, QWidget &content)
    : QObject(&window)
    , m_window(window)
    , m_content(content)
    , m_normal(window.size())
{
    window.installEventFilter(this);
}

void WindowSizeToggle::toggle()
{
    m_large = !m_large;
    if (!m_large) {
        restoreNormalSize();
        placeContent();
        return;
    }
    // The size limit is lifted first: a window manager refuses to maximize a
    // window whose hints say it cannot grow.
    m_window.setMinimumSize(m_normal);
    m_window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // A tiling window manager offers no maximized state: there the window
    // takes the whole screen.
    if (WindowSystem::canMaximize()) {
        m_window.showMaximized();
        QTimer::singleShot(kMaximizeWaitMs, this, [this] { judgeMaximized(); });
    } else {
        m_window.showFullScreen();
    }
    emit largeChanged(true);
    placeContent();
}

void WindowSizeToggle::judgeMaximized()
{
    // A window manager may say the window is maximized and leave it as it
    // was (sway through XWayland), or not maximize it at all.
    if (!m_large)
        return;
    const QScreen *screen = m_window.screen();
    if (!screen)
        return;
    const QRect frame = X11Frame::outerRect(m_window).value_or(m_window.frameGeometry());
    if (afterMaximize(m_window.windowState(), frame, screen->availableGeometry()) == Outcome::FullScreen) {
        m_window.showFullScreen();
        placeContent();
    }
}

void WindowSizeToggle::restoreNormalSize()
{
    emit largeChanged(false);
    m_window.showNormal();
    // The size is fixed again once the window is back at its normal size: a
    // Wayland compositor takes a window of another size than the one it
    // configured as a protocol error, and ends the program.
    m_fixPending = true;
    if (m_window.size() == m_normal)
        fixNormalSize();
    else
        QTimer::singleShot(1000, this, [this] { fixNormalSize(); });
}

void WindowSizeToggle::fixNormalSize()
{
    if (!m_fixPending || m_large)
        return;
    m_fixPending = false;
    m_window.setFixedSize(m_normal);
}

void WindowSizeToggle::placeContent()
{
    if (!m_large) {
        m_content.move(0, 0);
        return;
    }
    // Centred in the enlarged window, each half rounded down.
    const int left = (m_window.width() - m_content.width()) / 2;
    const int top = (m_window.height() - m_content.height()) / 2;
    m_content.move(std::max(0, left), std::max(0, top));
}

bool WindowSizeToggle::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &m_window)
        return false;
    if (event->type() == QEvent::Resize) {
        if (m_fixPending && m_window.size() == m_normal)
            fixNormalSize();
        placeContent();
    } else if (event->type() == QEvent::WindowStateChange && m_large) {
        // The window manager restored a large window by itself (a double
        // click on the title bar, a keyboard shortcut): back to the normal
        // state as the toggle would, so the window never stays resizable.
        const auto *change = static_cast<QWindowStateChangeEvent *>(event);
        const Qt::WindowStates large = Qt::WindowMaximized | Qt::WindowFullScreen;
        if ((change->oldState() & large) && !(m_window.windowState() & large) &&
            !(m_window.windowState() & Qt::WindowMinimized)) {
            m_large = false;
            restoreNormalSize();
            placeContent();
        }
    }
    return false;
}

} // namespace moka
