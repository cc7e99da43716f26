// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace moka {

// One object of the celebration that lives in the particle list and is
// stepped once per frame: a firework burst or a piece of confetti.
class Particle
{
public:
    virtual ~Particle() = default;

    // Its key in the particle list, unique over the run.
    virtual const QString &ID() const = 0;
    // One frame: move on and draw into the back buffer; an object that has
    // run its course removes itself from the list.
    virtual void Task() = 0;
};

} // namespace moka
