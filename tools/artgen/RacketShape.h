// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QPointF>

// A racket in one pose, rasterised into a map of parts (one byte per pixel)
// that each sprite then paints in its own colours: the rackets of the player,
// the computer and the mouse pointer all come from this one shape.
//
// The racket lies along its own axis from the butt of the handle to the tip
// of the head. `angle` is the direction of that axis in degrees,
// counter-clockwise from pointing right, as seen on screen (90 points up).
class RacketShape
{
public:
    enum Part : uchar {
        None = 0,
        HeadOutline,   // one pixel around the outside of the frame
        HandleOutline, // one pixel around the throat and the handle
        Rim,           // the frame of the head
        String,        // the string bed: the strings themselves
        Face,          // the string bed: the gaps between the strings
        Throat,        // the wedge joining head and handle
        Grip,          // the handle
        GripWrap,      // the spiral wrap across the handle
        Butt,          // the flared cap at the end of the handle
        Streak,        // motion lines behind a swinging head
    };

    struct Pose
    {
        QPointF head;              // centre of the head, in pixels (pixel centres at .5)
        double angle = 90.0;       // degrees, see above
        double headLength = 24.0;  // along the axis
        double headWidth = 19.0;   // across the axis
        double rimWidth = 2.0;     // thickness of the frame
        double stringPitch = 3.0;  // distance between strings
        double throatLength = 4.0; // from the bottom of the head to the handle
        double throatBeam = 2.0;   // thickness of each arm of the open throat
        double handleLength = 12.0;
        double handleWidth = 3.0;
        bool wrap = true; // draw the grip's wrap lines
        // Motion: the head's last position swept `sweep` degrees back about
        // `pivot`, drawn as arcs behind the head; 0 for a racket at rest.
        double sweep = 0.0;
        QPointF pivot;
    };

    // A width x height part map (Format_Indexed8, entries are Part values)
    // with the racket drawn in `pose`, outlined by one pixel all round (the
    // strings excepted).
    static QImage render(int width, int height, const Pose &pose);

    // Copies `source` into `target` at (x, y), flipped as asked. Both are
    // part maps; pixels of `source` that are None leave `target` alone.
    static void paste(QImage &target, const QImage &source, int x, int y, bool mirrorX, bool mirrorY);

    static Part at(const QImage &map, int x, int y) { return Part(map.constScanLine(y)[x]); }

private:
    static Part partAt(const Pose &pose, double x, double y);
    static void addStreaks(QImage &map, const Pose &pose);
    static void addOutline(QImage &map);
};
