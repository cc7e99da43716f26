// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QList>

// The clay court, 281 x 513, standing upright: the computer plays from the
// top end, the player from the bottom. Entries 9 (surface), 10 (half-circles)
// and 16 (lines) are recoloured by the game for each rank, so they are used
// for those pixels and nothing else.
class CourtArt
{
public:
    static constexpr int Width = 281;
    static constexpr int Height = 513;

    enum Entry {
        Black = 0,
        WallEdge = 1, // outermost rim of the side walls
        WallFace = 2,
        WallLight = 3, // lit inner lip
        WallSeam = 4,  // panel joints and the shadowed inner edge
        BandDark = 5,
        BandGreen = 6,
        BandLight = 7,
        GoalWhite = 8,
        Surface = 9,
        Crease = 10,
        GoalMesh = 11,
        NetCord = 12,
        NetMesh = 13,
        NetTape = 14,
        PostMetal = 15,
        Line = 16,
        PostDark = 17,
        PostShine = 18,
        BandDeep = 19,
        WallRivet = 20,
    };

    // The goal mouths span x 37-243 inside the end bands; the rest of each
    // band is wall.
    static constexpr int GoalLeft = 37;
    static constexpr int GoalRight = 243;
    static constexpr int TopBandRows = 8;       // y 0-7
    static constexpr int BottomBandFirst = 506; // y 506-512
    static constexpr int NetY = 256;

    static QList<QRgb> palette();
    static QImage render();
};
