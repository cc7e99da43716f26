// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CourtView.h"

#include "look/Cursors.h"
#include "look/PictureBox.h"
#include "platform/Picture.h"
#include "platform/Resources.h"
#include "state/RallyState.h"

namespace moka {

CourtView::CourtView(PictureBox &box)
    : m_box(box)
    , m_racket(Cursors::fromPicture(Resources::image(QStringLiteral("cursor_racket.png")), 16, 20))
    , m_none(Cursors::invisible())
{
    m_box.picture().reset(RallyState::courtWidth, RallyState::courtHeight);
}

void CourtView::present(const Picture &court)
{
    m_box.picture().bitBlt(0, 0, RallyState::courtWidth, RallyState::courtHeight, court, 0, 0,
                           RasterOp::SrcCopy);
    m_box.refresh();
}

void CourtView::CUR_NORMAL() { m_box.unsetCursor(); }

void CourtView::CUR_RACKET() { m_box.setCursor(m_racket); }

void CourtView::CUR_SWING() { m_box.setCursor(m_none); }

} // namespace moka
