// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/WindowPlacement.h"

#include "desktop/X11Frame.h"
#include "desktop/Xcb.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <map>

namespace moka {

namespace {

bool decorated(const QWidget &window)
{
    return !(window.windowFlags() & Qt::FramelessWindowHint) &&
           (window.windowFlags() & Qt::WindowType_Mask) != Qt::SplashScreen;
}

// The frame between a window's outer rectangle and its client area.
QMargins between(const QRect &outer, const QRect &client)
{
    return {client.left() - outer.left(), client.top() - outer.top(), outer.right() - client.right(),
            outer.bottom() - client.bottom()};
}

// The whole of a window on screen, its frame included: as the X server and
// the window manager have it where they tell, as Qt has it otherwise.
QRect outerRect(QWidget &window) { return X11Frame::outerRect(window).value_or(window.frameGeometry()); }

// Whether the window is on screen already.
bool onScreen(const QWidget &window)
{
    return X11Frame::onX11() ? X11Frame::shown(window) : window.isVisible();
}

// The frame `window` gets when it shows: what the window manager says it
// will be; else, for a decorated window with a decorated owner, the owner's
// frame; else none.
QMargins comingFrame(QWidget &window, QWidget *owner)
{
    // A window that asks for no frame is not asked about: some window
    // managers answer with the frame of a decorated window (xfwm4).
    if (!decorated(window) && !onScreen(window))
        return {};
    if (const auto told = X11Frame::extents(window))
        return *told;
    if (onScreen(window))
        return between(window.frameGeometry(), window.geometry());
    if (owner && decorated(window) && decorated(*owner))
        return between(outerRect(*owner), X11Frame::clientRect(*owner).value_or(owner->geometry()));
    return {};
}

// Looks at a window once it is on screen: where its window manager gave it
// another frame than the one it was placed for (one that does not tell
// beforehand, or puts a frame around a window that asked for none), the
// window is moved once so that its frame stands where it was meant to. A
// window manager that says its frames on the windows may put the frame
// there only after the window shows (KWin adds its decoration a moment
// later): the window is looked at again when it does, for a short while.
class FrameCheck : public QObject, public QAbstractNativeEventFilter
{
public:
    static void watch(QWidget &window, const QRect &area)
    {
        static FrameCheck check;
        window.winId();
        QWindow *handle = window.windowHandle();
        if (!handle)
            return;
        if (check.m_watched.empty() && qApp)
            qApp->installNativeEventFilter(&check);
        check.m_watched[handle->winId()] = Watch{&window, area, false};
        handle->removeEventFilter(&check);
        handle->installEventFilter(&check);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *handle = qobject_cast<QWindow *>(watched);
        if (!handle || event->type() != QEvent::Expose || !handle->isExposed())
            return false;
        handle->removeEventFilter(this);
        const WId id = handle->winId();
        const auto found = m_watched.find(id);
        if (found == m_watched.end())
            return false;
        found->second.exposed = true;
        if (!look(id, false)) {
            // The frame is not there yet: looked at when it comes, or at
            // the latest a little later with whatever there is.
            QTimer::singleShot(kFrameWaitMs, this, [this, id] { look(id, true); });
        }
        return false;
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
            return false;
        const auto *change = static_cast<const xcb_property_notify_event_t *>(message);
        const auto found = m_watched.find(change->window);
        if (found != m_watched.end() && found->second.exposed && change->atom == extentsAtom())
            look(change->window, false);
        return false;
    }

private:
    struct Watch
    {
        QPointer<QWidget> window;
        QRect area; // where the frame is to be centred
        bool exposed = false;
    };

    // Moves the window by what its frame is off the middle of its area, once
    // the frame is known (or `last`: with what is known by then). True when
    // the window needs no more looking at.
    bool look(WId id, bool last)
    {
        const auto found = m_watched.find(id);
        if (found == m_watched.end())
            return true;
        QWidget *window = found->second.window;
        const QRect area = found->second.area;
        if (!window || !window->isVisible()) {
            forget(found);
            return true;
        }
        std::optional<QMargins> frame = X11Frame::toldExtents(*window);
        if (!frame && !last && X11Frame::supports("_NET_FRAME_EXTENTS"))
            return false;
        if (!frame)
            frame = X11Frame::extents(*window);
        forget(found);
        const auto client = X11Frame::clientRect(*window);
        if (!client || !frame)
            return true;
        const QRect outer = client->marginsAdded(*frame);
        const QPoint wanted(area.x() + (area.width() - outer.width()) / 2,
                            area.y() + (area.height() - outer.height()) / 2);
        const QPoint off = wanted - outer.topLeft();
        if (!off.isNull())
            X11Frame::moveClient(*window, client->topLeft() + off);
        return true;
    }

    void forget(std::map<WId, Watch>::iterator which)
    {
        m_watched.erase(which);
        if (m_watched.empty() && qApp)
            qApp->removeNativeEventFilter(this);
    }

    xcb_atom_t extentsAtom()
    {
        if (m_extentsAtom == XCB_ATOM_NONE)
            if (xcb_connection_t *c = Xcb::connection())
                m_extentsAtom = Xcb::atom(c, "_NET_FRAME_EXTENTS");
        return m_extentsAtom;
    }

    // How long a window manager that says its frames may take to put one
    // around a shown window.
    static constexpr int kFrameWaitMs = 2000;
    std::map<WId, Watch> m_watched;
    xcb_atom_t m_extentsAtom = XCB_ATOM_NONE;
};

// Puts the frame of `window` in the middle of `area`, whole pixels, halves
// dropped. The place asked is the client's own (a window manager keeps a
// client where a program puts it, whatever frame it adds: static gravity),
// worked out from the frame the window gets, so that window managers that
// place frames and those that place clients agree.
void placeCentred(QWidget &window, const QRect &area, QWidget *owner)
{
    const QMargins frame = comingFrame(window, owner);
    const QSize outer = window.size().grownBy(frame);
    const QPoint frameAt(area.x() + (area.width() - outer.width()) / 2,
                         area.y() + (area.height() - outer.height()) / 2);
    window.setGeometry(QRect(frameAt + QPoint(frame.left(), frame.top()), window.size()));
    if (X11Frame::onX11() && !X11Frame::shown(window))
        FrameCheck::watch(window, area);
}

} // namespace

void WindowPlacement::centre(QWidget &window, const QWidget *owner)
{
    if (!owner) {
        centreOnScreen(window, nullptr);
        return;
    }
    QWidget *top = const_cast<QWidget *>(owner)->window();
    placeCentred(window, outerRect(*top), top);
}

void WindowPlacement::centreOnScreen(QWidget &window, const QWidget *owner)
{
    const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    placeCentred(window, screen->geometry(), owner ? const_cast<QWidget *>(owner)->window() : nullptr);
}

void WindowPlacement::centreOnDesktop(QWidget &window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        placeCentred(window, screen->availableGeometry(), nullptr);
}

void WindowPlacement::showAbove(QWidget &window, QWidget &owner)
{
    // A transient window stays above its owner under every window manager
    // and compositor; without one (a bare X server) raising does it. Its
    // window is made first, to be made transient before it shows (the
    // program keeps Qt from making the owner's controls windows of their own
    // alongside: AA_DontCreateNativeWidgetSiblings).
    window.winId();
    if (QWindow *handle = window.windowHandle(); handle && owner.window()->windowHandle())
        handle->setTransientParent(owner.window()->windowHandle());
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace moka
