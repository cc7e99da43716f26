// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QWidget>

namespace moka {

// A frame of one colour that shows a picture at a position of its own,
// clipped by the frame: the life bars, whose picture slides up and down
// inside a purple frame. The frame paints itself whole in one go, so no
// stale piece of the picture can stay behind after it moves, the window is
// maximized or restored, or a dialog or window manager uncovers it.
class ImageFrame : public QWidget
{
    Q_OBJECT
public:
    // The picture inside the frame, moved as a child control would be.
    class Image
    {
    public:
        void move(int x, int y);
        int x() const { return m_geometry.x(); }
        int y() const { return m_geometry.y(); }
        QRect geometry() const { return m_geometry; }

    private:
        friend class ImageFrame;
        explicit Image(ImageFrame &frame, QRect geometry)
            : m_frame(frame)
            , m_geometry(geometry)
        {
        }
        ImageFrame &m_frame;
        QRect m_geometry;
    };

    // `picture` null: the image is a solid block of `fallback`.
    ImageFrame(QWidget *parent, QRect geometry, QColor background, QRect imageGeometry,
               const QPixmap &picture, QColor fallback);

    Image *image() { return &m_image; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_background;
    QPixmap m_picture;
    QColor m_fallback;
    Image m_image;
};

} // namespace moka
