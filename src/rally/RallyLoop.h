#pragma once

#include "rally/RallyCast.h"

#include <cstdint>

namespace moka {

class Picture;
class PictureBox;
class Platform;
class RallyHooks;
class SoundModule;
struct MatchState;
struct RallyState;

// The fixed-rate frame loop of a game and the set-up between points. Each
// frame clears the back buffer, lets the racket (while swinging), the ball and
// the computer move and draw, copies the back buffer once to the visible
// court and waits for the end of the frame while handling window events.
class RallyLoop
{
public:
    RallyLoop(Platform &platform, RallyState &rally, MatchState &match, SoundModule &sound, RallyHooks &hooks,
              Picture &picB, PictureBox &picP);

    // The objects of the game about to be played.
    void setCast(const RallyCast &cast) { m_cast = cast; }
    const RallyCast &cast() const { return m_cast; }

    // Runs until the game is over, abandoned or the program ends. A run-time
    // error shows its description in a message box and ends the loop.
    void MAIN_LOOP();
    // Between points: true when play goes on with the next frame.
    bool SET_INIT();

    // Frame period in milliseconds for a level.
    static int framePeriod(std::int32_t level);

    // Bare court on the visible court: clear the back buffer and copy it.
    void showBareCourt();

private:
    void runFrames();
    void fullReset();

    Platform &m_platform;
    RallyState &m_rally;
    MatchState &m_match;
    SoundModule &m_sound;
    RallyHooks &m_hooks;
    Picture &m_picB;
    PictureBox &m_picP;
    RallyCast m_cast;
};

} // namespace moka
