// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Picture.h"

#include <QWidget>

namespace moka {

// A widget that shows a picture pixel for pixel (scaled without smoothing on
// high-density screens) and reports mouse presses and moves in picture
// coordinates.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    Picture &picture() { return m_picture; }
    const Picture &picture() const { return m_picture; }
    // Schedules a repaint of what the picture holds now.
    void refresh() { update(); }

signals:
    // Button as 1 left, 2 right, 4 middle; shift as 1 Shift, 2 Ctrl, 4 Alt.
    void mouseDown(int button, int shift, double x, double y);
    void mouseMove(int button, int shift, double x, double y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;

private:
    Picture m_picture;
    const bool m_pointerTakenBack;
};

} // namespace moka
