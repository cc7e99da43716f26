#pragma once

namespace moka {

// What the frame loop asks of the match flow between points.
class RallyHooks
{
public:
    virtual ~RallyHooks() = default;
    // Scores the decided point for the side in `outSide`. False when the match
    // is over (the result has been shown); true when play goes on.
    virtual bool pointAward() = 0;
    // The idle scoreboard.
    virtual void RESET_BOARD() = 0;
    // The interrupt dialog, modal; "return to play" sets stopRequest again.
    virtual void showInterrupt() = 0;
    // The normal pointer over the court; clears racketCursor.
    virtual void CUR_NORMAL() = 0;
};

} // namespace moka
