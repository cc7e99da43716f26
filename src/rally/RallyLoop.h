// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "rally/RallyCast.h"

#include <cstdint>
#include <optional>

namespace moka {

class CourtPointer;
class CourtPresenter;
class Picture;
class Platform;
class RallyHooks;
class SoundModule;
struct RallyState;

// The fixed-rate frame loop of a game and the set-up between points. Each
// frame clears the back buffer, lets the racket (while swinging), the ball and
// the computer move and draw, presents the back buffer once as the visible
// court and waits for the end of the frame while handling window events.
// The mouse over the court comes here: it serves the computer's ball, swings
// the racket and chooses the pointer.
class RallyLoop
{
public:
    // How a game ended. `Over`: lost, discarded at the interrupt or stopped
    // without a cause; the rally is reset and the court bare, the match is to
    // go back to its idle board. `Left`: the program is ending, a champion's
    // celebration ended the match or a run-time error stopped the loop;
    // nothing is torn down.
    enum class GameEnd { Over, Left };

    RallyLoop(Platform &platform, RallyState &rally, SoundModule &sound, RallyHooks &hooks, Picture &picB,
              CourtPresenter &court, CourtPointer &pointer);

    // The objects of the game about to be played.
    void setCast(const RallyCast &cast) { m_cast = cast; }
    const RallyCast &cast() const { return m_cast; }

    // Runs until the game is over, abandoned or the program ends. A run-time
    // error shows its description in a message box and ends the loop.
    GameEnd MAIN_LOOP();
    // Between points: none when play goes on with the next frame.
    std::optional<GameEnd> SET_INIT();

    // Frame period in milliseconds for a level.
    static int framePeriod(std::int32_t level);

    // Bare court on the visible court: clear the back buffer and show it.
    void showBareCourt();

    // A press of `button` (1 left, 2 right) and a move over the court, in
    // court pixels.
    void courtMouseDown(int button, double x, double y);
    void courtMouseMove(double x, double y);

private:
    void runFrames();
    void fullReset();
    void normalPointer();

    Platform &m_platform;
    RallyState &m_rally;
    SoundModule &m_sound;
    RallyHooks &m_hooks;
    Picture &m_picB;
    CourtPresenter &m_court;
    CourtPointer &m_pointer;
    RallyCast m_cast;
    GameEnd m_end = GameEnd::Left;
};

} // namespace moka
