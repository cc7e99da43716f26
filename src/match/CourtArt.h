// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Picture.h"

#include <QImage>

#include <cstdint>

namespace moka {

class Platform;

// The court's pictures: the back buffer every frame is composed in, and the
// ball, the player's swing and the computer's racket it is drawn from, in the
// colours of the level being played. Off-screen: the rally presents the back
// buffer.
class CourtArt
{
public:
    explicit CourtArt(Platform &platform);

    // The computer's racket in racket colour `racketColor` (1: as drawn) and
    // the court in court colour `courtColor` (0: as drawn).
    void paintRacket(std::int32_t racketColor);
    void paintCourt(std::int32_t courtColor);

    Picture picB;     // back buffer of the court
    Picture picBALL;  // ball and its mask
    Picture picROLL;  // the player's four swing frames
    Picture picCOM;   // the computer's racket at rest, recoloured
    Picture picCOMsh; // the computer's serve and swing frames, recoloured
    // The pictures as drawn, which the colours are made from.
    QImage imgC;      // the court, with its own palette
    QImage imgCOMrkt; // the computer's racket (16 colours)
    QImage imgCOMsh;  // its serve and swing frames (16 colours)

private:
    void loadPictures();

    Platform &m_platform;
};

} // namespace moka
