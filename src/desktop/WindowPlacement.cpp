#include "desktop/WindowPlacement.h"

#include "desktop/X11Frame.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

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
QRect outerRect(QWidget &window)
{
    if (const auto client = X11Frame::clientRect(window))
        return client->marginsAdded(X11Frame::extents(window).value_or(QMargins()));
    return window.frameGeometry();
}

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
// window is moved once so that its frame stands where it was meant to.
class FrameCheck : public QObject
{
public:
    static void watch(QWidget &window, const QRect &area)
    {
        static FrameCheck check;
        window.winId();
        QWindow *handle = window.windowHandle();
        if (!handle)
            return;
        handle->setProperty(kArea, area);
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
        const QRect area = handle->property(kArea).toRect();
        handle->setProperty(kArea, QVariant());
        QWidget *window = QWidget::find(handle->winId());
        if (!window || !window->isVisible())
            return false;
        const auto client = X11Frame::clientRect(*window);
        const auto frame = X11Frame::extents(*window);
        if (!client || !frame)
            return false;
        const QRect outer = client->marginsAdded(*frame);
        const QPoint wanted(area.x() + (area.width() - outer.width()) / 2,
                            area.y() + (area.height() - outer.height()) / 2);
        const QPoint off = wanted - outer.topLeft();
        if (!off.isNull())
            X11Frame::moveClient(*window, client->topLeft() + off);
        return false;
    }

private:
    static constexpr const char *kArea = "mokaCentredOn";
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

bool WindowPlacement::canPlaceWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool WindowPlacement::canMaximize()
{
    if (!X11Frame::onX11() || !X11Frame::supports("_NET_WM_STATE"))
        return true;
    return X11Frame::supports("_NET_WM_STATE_MAXIMIZED_VERT") &&
           X11Frame::supports("_NET_WM_STATE_MAXIMIZED_HORZ");
}

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
