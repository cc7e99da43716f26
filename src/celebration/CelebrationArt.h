// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Picture.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace moka {

// The celebration's artwork: the sprite sheets, masks and banners read from
// the program's pictures, and the trophy completed and decoded from the bytes
// it is stored as. A picture that is missing becomes a blank of its size
// (pictures black, masks white), so that drawing it shows nothing.
class CelebrationArt
{
public:
    // Reads every picture but the trophy.
    CelebrationArt();

    // The stored trophy lacks the first 26 bytes of its bitmap header; they
    // are written into `stored` here, in memory. False, with the reason in
    // `error`, when the bytes are too few to hold them.
    static bool completeTrophy(QByteArray &stored, QString &error);
    // The completed trophy decoded; a null picture, with the reason in
    // `error`, when it is no picture.
    static QImage decodeTrophy(QByteArray &completed, QString &error);

    Picture picQQQ; // confetti sheet, 128 × 128
    Picture picYB;  // the ball on black (rows 0–47) above its mask (rows 48–95)
    Picture picM;   // trophy mask
    Picture picC;   // banner, gold
    Picture picS;   // banner shadow, navy
    Picture picMC;  // banner mask

    static constexpr int cupWidth = 270, cupHeight = 310;
    static constexpr int bannerWidth = 287, bannerHeight = 165;
    static constexpr int ballSize = 48;
};

} // namespace moka
