// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace moka {

// The mouse pointer over the visible court. Only its look: the rally keeps
// note of which pointer shows (RallyState::racketCursor).
class CourtPointer
{
public:
    virtual ~CourtPointer() = default;
    // The normal arrow.
    virtual void CUR_NORMAL() = 0;
    // The racket pointer.
    virtual void CUR_RACKET() = 0;
    // The invisible pointer shown while a swing is drawn.
    virtual void CUR_SWING() = 0;
};

} // namespace moka
