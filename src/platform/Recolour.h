// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QList>

#include <cstdint>

namespace moka {

// Recolours the computer's racket pictures and the court by swapping palette
// entries, so one picture serves every round. Each call starts from the
// picture it is given; pass the unchanged picture every time (a recoloured
// picture no longer has its racket pixels at entry 12).
class Recolour
{
public:
    // The entry the racket pictures draw the racket in (blue, 0, 0, 255).
    static constexpr int RacketEntry = 12;
    // The court's entries: surface, the half-circles at the ends, the lines.
    static constexpr int SurfaceEntry = 9;
    static constexpr int CreaseEntry = 10;
    static constexpr int LineEntry = 16;

    // The racket picture (16 colours; a 4-bit BMP loads as Format_Indexed8
    // with a 16-entry colour table) with entry 12 replaced by the colour for
    // `racketColor`: 1 blue, 2 magenta, 3 teal, 4 yellow, 5 red, 6 green,
    // 7 silver, 8 cyan, 9 white, any other value blue. RGB32 result.
    //
    // A picture that is not in the standard 16-colour palette (another
    // colour table, or not indexed at all, e.g. RGB32) is first reduced to it,
    // each pixel to its nearest colour; then only the pixels that come out as
    // pure blue take the racket colour. A null picture gives a null image.
    static QImage SET_RKT_COLOR(const QImage &picture, std::int32_t racketColor);

    // The court (256 colours, Format_Indexed8) with entries 9, 10 and 16
    // replaced for `courtColor`: 1 blue, 2 purple, any other value leaves the
    // picture's own colours. RGB32 result.
    //
    // A court that is not indexed has no palette to change and comes back
    // unchanged as RGB32; entries beyond a short colour table are left out.
    // A null picture gives a null image.
    static QImage SET_COURT_COLOR(const QImage &court, std::int32_t courtColor);

    // The colour entry 12 takes for `racketColor`.
    static QRgb racketColour(std::int32_t racketColor);

    // The standard 16-colour palette the racket pictures use.
    static const QList<QRgb> &standardPalette();

private:
    // `picture` as Format_Indexed8 in the standard palette.
    static QImage inStandardPalette(const QImage &picture);
};

} // namespace moka
