// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QDialog>
#include <QPoint>
#include <QSize>

#include <functional>
#include <initializer_list>
#include <vector>

class QMouseEvent;

namespace moka {

// A small dialog without a title bar: a raised two-pixel dialog border
// around a client area in the dialog's background colour. Pressing a mouse
// button on its background, or on a part declared to move it, moves it as a
// title bar would; the keys declared answer it as its button would. It is
// centred on its owner when shown.
class MovableDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int borderWidth = 2;

    MovableDialog(QWidget *owner, QSize clientSize, QColor background);

    // The controls live here, at their layout positions.
    QWidget *clientArea() const { return m_client; }

    QColor background() const { return m_background; }
    void setBackground(QColor colour);

    // Moves the dialog with the mouse until the pressed button is released.
    // The window system does it where it can; otherwise the dialog follows
    // the mouse itself.
    void startMove(const QMouseEvent &press);
    // The dialog is following the mouse itself.
    bool followingMouse() const { return m_following; }

    // A mouse button pressed on the background: moves the dialog.
    void Form_MouseDown(const QMouseEvent &event) { startMove(event); }

    void setVisible(bool visible) override;

protected:
    // A press (or double click) on `part`, a panel or text over the
    // background, goes to `handler` instead of to the part.
    void movesWith(QWidget *part, std::function<void(const QMouseEvent &)> handler);
    // These keys, when not repeating, do `action` (a repeat does nothing);
    // other keys get the dialog's usual handling.
    void answersKeys(std::initializer_list<int> keys, std::function<void()> action);

    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void centreOnOwner();
    void stopFollowing();

    QWidget *m_client = nullptr;
    QColor m_background;
    bool m_following = false;
    QPoint m_grab; // the mouse relative to the window's corner at the press
    std::vector<std::pair<QWidget *, std::function<void(const QMouseEvent &)>>> m_parts;
    std::vector<int> m_keys;
    std::function<void()> m_keyAction;
};

} // namespace moka
