// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace moka {

// What the frame loop needs of the player's racket.
class Racket
{
public:
    virtual ~Racket() = default;
    virtual void Task() = 0;
    // Cancels any swing and shows the racket pointer.
    virtual void ReINIT() = 0;
};

} // namespace moka
