#pragma once

#include <QString>

#include <cstdint>

namespace moka {

// Score of the match being played and the player's identity.
struct MatchState
{
    std::int32_t userSets = 0;     // sets won by the player, 0–3
    std::int32_t comSets = 0;      // sets won by the computer, 0–3
    std::int32_t setNumber = 0;    // set being played, 1–5; 0 between games
    QString playerName;            // current player; empty when none
    QString previewName;           // name engraved in a celebration preview
    bool champPreview = false;     // the celebration preview is armed
    bool tournamentPlayed = false; // a tournament game started during this run
};

} // namespace moka
