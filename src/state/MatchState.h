// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <cstdint>

namespace moka {

// Score of the match being played (life bars and sets) and the player's
// identity.
struct MatchState
{
    std::int32_t userSets = 0;  // sets won by the player, 0–3
    std::int32_t comSets = 0;   // sets won by the computer, 0–3
    std::int32_t setNumber = 0; // set being played, 1–5; 0 between games
    // The life bars, as the tops of the magenta bars in their frames: the
    // computer's goes from 0 (full) up as the player scores, the player's
    // from 0 down as the computer does; a set is over past 249 either way.
    // Both empty (-250, 250) while no game is played.
    std::int32_t comBar = -250;
    std::int32_t userBar = 250;
    QString playerName;            // current player; empty when none
    QString previewName;           // name engraved in a celebration preview
    bool champPreview = false;     // the celebration preview is armed
    bool tournamentPlayed = false; // a tournament game started during this run
};

} // namespace moka
