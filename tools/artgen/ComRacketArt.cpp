// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ComRacketArt.h"

#include "Palette16.h"
#include "RollArt.h"

namespace {

constexpr int kRestSize = 32;

// Palette index for each part of the racket; -1 leaves the pixel see-through.
int entryFor(RacketShape::Part part)
{
    switch (part) {
    case RacketShape::Rim:
    case RacketShape::String:
    case RacketShape::Throat:
    case RacketShape::Butt:
    case RacketShape::Streak: return Palette16::Blue;
    case RacketShape::Grip: return Palette16::Grey;
    case RacketShape::GripWrap:
    case RacketShape::HeadOutline:
    case RacketShape::HandleOutline: return Palette16::Black;
    default: return -1;
    }
}

QImage blankSheet(int width, int height)
{
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorTable(Palette16::colours());
    image.fill(Palette16::Black);
    // The mask half starts all white (see-through).
    for (int y = height / 2; y < height; ++y)
        std::fill_n(image.scanLine(y), width, uchar(Palette16::White));
    return image;
}

} // namespace

void ComRacketArt::paint(QImage &image, const QImage &map, int x, int y, int maskOffset)
{
    for (int my = 0; my < map.height(); ++my) {
        for (int mx = 0; mx < map.width(); ++mx) {
            const int entry = entryFor(RacketShape::at(map, mx, my));
            if (entry < 0)
                continue;
            image.scanLine(y + my)[x + mx] = uchar(entry);
            image.scanLine(y + my + maskOffset)[x + mx] = Palette16::Black;
        }
    }
}

QImage ComRacketArt::rest()
{
    RacketShape::Pose pose;
    pose.head = QPointF(16.5, 19.5);
    pose.angle = -90.0; // handle up, head down towards the player
    pose.headLength = 22.0;
    pose.headWidth = 19.0;
    pose.throatLength = 3.0;
    pose.handleLength = 6.0;
    QImage image = blankSheet(kRestSize, kRestSize * 2);
    paint(image, RacketShape::render(kRestSize, kRestSize, pose), 0, 0, kRestSize);
    return image;
}

QImage ComRacketArt::swing()
{
    const int w = RollArt::FrameWidth;
    const int h = RollArt::FrameHeight;
    QImage image = blankSheet(w * RollArt::Frames, h * 2);
    const QList<RacketShape::Pose> poses = RollArt::poses();
    for (int f = 0; f < RollArt::Frames; ++f) {
        QImage flipped(w, h, QImage::Format_Indexed8);
        flipped.setColorTable(Palette16::colours());
        flipped.fill(RacketShape::None);
        RacketShape::paste(flipped, RacketShape::render(w, h, poses[f]), 0, 0, false, true);
        paint(image, flipped, f * w, 0, h);
    }
    return image;
}
