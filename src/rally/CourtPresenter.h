// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace moka {

class Picture;

// Where the rally shows the court it has composed: the visible court.
class CourtPresenter
{
public:
    virtual ~CourtPresenter() = default;
    // Shows the whole court picture (281 × 513) as it is now.
    virtual void present(const Picture &court) = 0;
};

} // namespace moka
