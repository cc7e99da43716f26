#pragma once

#include <QColor>
#include <QDialog>
#include <QPoint>
#include <QSize>

class QMouseEvent;

namespace moka {

// A small dialog without a title bar: a raised two-pixel dialog border
// around a client area in the dialog's background colour. Pressing a mouse
// button on its background moves it as a title bar would. It is centred on
// its owner when shown.
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

    void setVisible(bool visible) override;

protected:
    void paintEvent(QPaintEvent *event) override;
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
};

} // namespace moka
