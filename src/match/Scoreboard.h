#pragma once

#include <QString>

#include <cstdint>

namespace moka {

// What the match flow shows on the main window: the life bars, the set
// counts, the round, the rank labels, the game buttons, the colours of the
// computer's racket and of the court, and the champion's celebration. Every
// call returns once the window shows it; the celebration returns when it is
// over.
class Scoreboard
{
public:
    // What the game buttons and the rank labels allow.
    enum class Buttons {
        Idle,      // a game or a practice may start; the stop button is dead
        SettingUp, // nothing may be pressed while a game is being set up
        Playing,   // only the stop button answers
    };

    virtual ~Scoreboard() = default;

    // The tops of the two magenta bars inside their frames: the computer's
    // runs from 0 (full) up to -250 (empty), the player's from 0 (full) down
    // to 250 (empty).
    virtual void showLifeBars(std::int32_t comTop, std::int32_t userTop) = 0;
    // The sets won, each count red from two sets on.
    virtual void showSetCounts(std::int32_t comSets, std::int32_t userSets) = 0;
    // The round within its rank ("第 2回戦") and the level over the
    // computer's count; empty texts for none.
    virtual void showRound(const QString &round, const QString &level) = 0;
    // The rank label lit: 0 C, 1 B, 2 A.
    virtual void showRank(int rank) = 0;
    virtual void showButtons(Buttons buttons) = 0;

    // The computer's racket in racket colour `racketColor` (1: as drawn) and
    // the court in court colour `courtColor` (0: as drawn), shown at once.
    virtual void paintRacket(std::int32_t racketColor) = 0;
    virtual void paintCourt(std::int32_t courtColor) = 0;

    // The champion's celebration, over the window.
    virtual void celebrate() = 0;

    // The splash goes if it is still up; the keyboard goes to the court; the
    // window closes (which ends the program).
    virtual void closeSplash() = 0;
    virtual void focusCourt() = 0;
    virtual void closeWindow() = 0;
};

} // namespace moka
