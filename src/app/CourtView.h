// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "rally/CourtPointer.h"
#include "rally/CourtPresenter.h"

#include <QCursor>

namespace moka {

class PictureBox;

// The visible court of the main window: shows the court the rally presents
// and sets the pointer over it (the racket, the arrow, none while a swing is
// drawn).
class CourtView : public CourtPresenter, public CourtPointer
{
public:
    explicit CourtView(PictureBox &box);

    void present(const Picture &court) override;

    void CUR_NORMAL() override;
    void CUR_RACKET() override;
    void CUR_SWING() override;

private:
    PictureBox &m_box;
    QCursor m_racket; // the racket pointer
    QCursor m_none;   // the pointer shown while a swing is drawn
};

} // namespace moka
