// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QRect>
#include <QSize>

class QWidget;

namespace moka {

// Makes a window of fixed size large and back, as the window system allows:
// maximized where the window manager maximizes, the whole screen where it
// has no such state (tiling window managers) or leaves the window as it was
// after all. Large, the window's content stays centred in it; back at its
// normal size, the size is fixed again. A window manager restoring the
// window by itself (a double click on the title bar) counts as back.
class WindowSizeToggle : public QObject
{
    Q_OBJECT
public:
    enum class Outcome {
        Keep,       // the window took the screen: it stays as the window manager made it
        FullScreen, // it did not: the window takes the whole screen itself
    };
    // What to do with a window that was asked to maximize, judged by what it
    // became, whatever state the window manager says it is in (`reported`:
    // a window manager may say "maximized" and leave the window as it was,
    // as sway does through XWayland): `frame` is the window's whole
    // rectangle, frame included, `workArea` the screen less the panels. A
    // frame short of nine tenths of the work area either way did not take
    // it (a window manager may leave a gap, or keep a panel the program does
    // not know of). A window already full screen stays so.
    static Outcome afterMaximize(Qt::WindowStates reported, const QRect &frame, const QRect &workArea);

    // `window` has its normal, fixed size now; `content` is centred in it
    // while it is large.
    WindowSizeToggle(QWidget &window, QWidget &content);

    // Large if normal, normal if large.
    void toggle();
    bool large() const { return m_large; }

signals:
    void largeChanged(bool large);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void judgeMaximized();
    void restoreNormalSize();
    void fixNormalSize();
    void placeContent();

    QWidget &m_window;
    QWidget &m_content;
    const QSize m_normal;
    // How long a window manager may take to maximize before the window is
    // judged by what it became.
    static constexpr int kMaximizeWaitMs = 800;
    bool m_large = false;
    bool m_fixPending = false; // the normal size is to be fixed once reached
};

} // namespace moka
