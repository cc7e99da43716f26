// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace moka {

// The flags and counters shared by the frame loop, the ball, the racket, the
// computer and the match flow. One instance, owned by the application.
struct RallyState
{
    // Court bounds for the ball's centre.
    static constexpr std::int32_t courtLeft = 8;
    static constexpr std::int32_t courtTop = 8;
    static constexpr std::int32_t courtRight = 273;
    static constexpr std::int32_t courtBottom = 497;
    // The court pictures.
    static constexpr int courtWidth = 281;
    static constexpr int courtHeight = 513;
    // Where a point starts: the computer serves the ball from (serveX,
    // comServeBallY) standing at (serveX, comServeY); the player serves from
    // (serveX, userServeBallY).
    static constexpr std::int32_t serveX = 141;
    static constexpr std::int32_t comServeBallY = 93;
    static constexpr std::int32_t comServeY = 68;
    static constexpr std::int32_t userServeBallY = 421;

    // The rounds: levels 1–3 are rank C, 4–6 rank B, 7–9 rank A, three
    // rounds to a rank. Rank A plays with the ball's shadow: a low ball
    // cannot be hit.
    static constexpr int rankOf(std::int32_t level) { return level > 6 ? 2 : level > 3 ? 1 : 0; }
    static constexpr int roundOf(std::int32_t level) { return level % 3 == 0 ? 3 : level % 3; }
    static constexpr bool shadowRule(std::int32_t level) { return rankOf(level) == 2; }

    bool comActive = false;     // a computer opponent takes part (tournament)
    bool ballInPlay = false;    // the ball moves by its factors each frame
    bool comServeWait = false;  // ball held on the computer's serve spot until the player clicks
    bool comServing = false;    // the computer's serve animation is running
    bool userServeWait = false; // the player is to serve
    bool pointDecided = false;  // the ball crossed an end line in the goal mouth
    std::int32_t outSide = 0;   // 1 top (player won), 2 bottom (computer won)
    bool loopBreak = false;     // end the frame loop after this frame
    bool stopRequest = false;   // the player asked for an interrupt
    std::int32_t rallyHits = 0; // hits of this rally (the computer's serve not counted)
    bool ballToCom = false;     // the ball travels toward the computer
    bool ballLow = false;       // the ball is low in its bounce
    bool swingActive = false;   // a player swing is in progress
    bool racketCursor = false;  // the racket pointer shows over the court

    // Round being played: 1–9 in a tournament, 2/5/8 in practice, 1 after the
    // board reset, 0 after a game.
    std::int32_t level = 0;

    // The spot and button of the last swing click.
    std::int32_t clickX = 0;
    std::int32_t clickY = 0;
    std::int32_t clickButton = 0;
};

} // namespace moka
