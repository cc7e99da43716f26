// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RollArt.h"

QList<RacketShape::Pose> RollArt::poses()
{
    // The head whips round clockwise through the spot above the click; the
    // motion lines behind it follow circles about a hand low on the left.
    const QPointF hand(22.0, 50.0);
    struct
    {
        double x, y, angle, sweep;
    } const steps[Frames] = {
        {38.5, 17.5, 112.0, 0.0}, // tilted left, the moment of the hit
        {43.5, 15.5, 90.0, 22.0}, // upright
        {48.5, 19.5, 58.0, 32.0}, // tilted right
        {49.5, 28.5, 20.0, 38.0}, // nearly flat, the follow-through
    };
    QList<RacketShape::Pose> list;
    for (const auto &s : steps) {
        RacketShape::Pose pose;
        pose.head = QPointF(s.x, s.y);
        pose.angle = s.angle;
        pose.sweep = s.sweep;
        pose.pivot = hand;
        list.append(pose);
    }
    return list;
}

QImage RollArt::render()
{
    QImage image(FrameWidth * Frames, FrameHeight, QImage::Format_Indexed8);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    image.fill(1);
    const QList<RacketShape::Pose> list = poses();
    for (int f = 0; f < Frames; ++f) {
        const QImage map = RacketShape::render(FrameWidth, FrameHeight, list[f]);
        for (int y = 0; y < FrameHeight; ++y) {
            for (int x = 0; x < FrameWidth; ++x) {
                bool ink = false;
                switch (RacketShape::at(map, x, y)) {
                case RacketShape::Rim:
                case RacketShape::String:
                case RacketShape::Throat:
                case RacketShape::GripWrap:
                case RacketShape::Butt:
                case RacketShape::HandleOutline:
                case RacketShape::Streak: ink = true; break;
                default: break;
                }
                if (ink)
                    image.scanLine(y)[f * FrameWidth + x] = 0;
            }
        }
    }
    return image;
}
