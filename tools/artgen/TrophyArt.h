// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

// The champion's trophy, 270 x 310: a polished gold cup with two handles, an
// embossed star and a blue enamel name band, on a two-step lacquered base, casting
// a stippled shadow to the right. The celebration draws it with its mask
// (AND) and then the picture (XOR) at (centre x - 106, centre y - 170), so
// the cup's axis is column 106, and engraves the champion's name centred on
// (107, 182): the middle of the band (rows 167-197 on the axis, about 140
// pixels wide there). The name is printed in white, magenta and black, one
// over the other two pixels apart; on the mid-blue enamel all three layers
// show, so it reads as raised lettering.
class TrophyArt
{
public:
    static constexpr int Width = 270;
    static constexpr int Height = 310;

    // The picture travels inside the game as a 256-colour RLE8 bitmap file
    // of a fixed size whose first 26 bytes (the file header and the size
    // fields of the info header) are blanked; the game fills them in again
    // before loading it. The pixel data is padded with zeros to its size.
    static constexpr int ResourceSize = 34820;
    static constexpr int PixelOffset = 1078;
    static constexpr int PixelBytes = ResourceSize - PixelOffset;
    static constexpr int BlankedBytes = 26;

    static QList<QRgb> palette();

    // 256 colours on black; black wherever the mask is white.
    static QImage picture();

    // One bit: 0 (black) where the trophy and its shadow are, 1 (white)
    // around them.
    static QImage mask();

    // The stored resource; empty if the picture does not fit its pixel data.
    static QByteArray resource();

private:
    struct Layers;
    static Layers draw();
};
