#include "platform/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace moka {

namespace {

// The frame a window manager puts around a decorated window, read off an
// owner that is on screen already.
QMargins frameMargins(const QWidget &window)
{
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

bool decorated(const QWidget &window)
{
    return !(window.windowFlags() & Qt::FramelessWindowHint) &&
           (window.windowFlags() & Qt::WindowType_Mask) != Qt::SplashScreen;
}

QSize outerSize(const QWidget &window, const QWidget *owner)
{
    if (window.isVisible())
        return window.frameGeometry().size();
    QSize size = window.size();
    if (owner && decorated(window) && decorated(*owner->window())) {
        const QMargins m = frameMargins(*owner->window());
        size += QSize(m.left() + m.right(), m.top() + m.bottom());
    }
    return size;
}

void placeCentred(QWidget &window, const QRect &area, QSize outer)
{
    // Whole pixels, halves dropped, as the window's own layout rounds.
    window.move(area.x() + (area.width() - outer.width()) / 2,
                area.y() + (area.height() - outer.height()) / 2);
}

} // namespace

bool WindowPlacement::canPlaceWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void WindowPlacement::centre(QWidget &window, const QWidget *owner)
{
    if (!owner) {
        centreOnScreen(window, nullptr);
        return;
    }
    const QWidget *top = owner->window();
    placeCentred(window, top->frameGeometry(), outerSize(window, top));
}

void WindowPlacement::centreOnScreen(QWidget &window, const QWidget *owner)
{
    const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    placeCentred(window, screen->geometry(), outerSize(window, owner));
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
