// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

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
    // The interrupt dialog, modal: true when the player returns to play,
    // false when the game is discarded.
    virtual bool resumeAfterInterrupt() = 0;
};

} // namespace moka
