// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "celebration/CelebrationSequence.h"

#include <QPoint>
#include <QRect>
#include <QWidget>

namespace moka {

class CelebrationHost;
class Platform;

// The champion's celebration window: borderless, above everything, over the
// monitor that shows most of the game. It shows what its sequence composes
// and takes no input.
//
// The window manager may give it more than that monitor (xfwm4 and mutter
// make a full-screen window span every monitor they take for one screen):
// the monitor's picture is then drawn where the monitor stands in the window,
// as the window stands when shown and after every move or resize, and the
// rest of the window is black.
class frmPFM : public QWidget
{
    Q_OBJECT
public:
    explicit frmPFM(CelebrationHost &host);
    ~frmPFM() override;

    // Loads the window, lets the window system activate it (or gives up
    // waiting after half a second), plays the whole sequence and returns once
    // the window has hidden and unloaded itself.
    void play();

    // Handlers.
    void Form_Load();
    void Form_Activate();
    void Form_MouseDown() {}
    void Form_QueryUnload();

    CelebrationSequence &sequence() { return m_sequence; }
    const CelebrationSequence &sequence() const { return m_sequence; }
    bool activated() const { return m_activated; }
    bool unloaded() const { return m_unloaded; }

    static constexpr int activationWaitMs = 500;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void unloadWindow();
    // Repaints the places of the monitor's picture that a frame changed.
    void showChanged(const QRegion &changed);
    // Finds where the monitor's picture stands in the window as it stands now.
    void placeScreen();
    Platform &platform();

    CelebrationHost &m_host;
    CelebrationSequence m_sequence;
    QRect m_screen;                // the monitor it covers, in the desktop's coordinates
    bool m_placesKnown = false;    // the window system tells where windows stand
    QPoint m_origin;               // the monitor's top-left corner in the window
    bool m_activationSeen = false; // the window system activated the window
    bool m_activated = false;      // Form_Activate ran (it runs once)
    bool m_unloading = false;
    bool m_unloaded = false;
};

} // namespace moka
