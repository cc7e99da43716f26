// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "match/CourtArt.h"

#include "platform/Platform.h"
#include "platform/Recolour.h"
#include "platform/Resources.h"
#include "state/RallyState.h"

#include <QColor>

namespace moka {

namespace {

// The court as a plain clay rectangle, for a build without its artwork.
QImage plainCourt()
{
    QImage court(RallyState::courtWidth, RallyState::courtHeight, QImage::Format_RGB32);
    court.fill(QColor(173, 115, 66));
    return court;
}

} // namespace

CourtArt::CourtArt(Platform &platform)
    : m_platform(platform)
{
    loadPictures();
    picB.setPicture(imgC);
}

void CourtArt::loadPictures()
{
    imgC = Resources::image(QStringLiteral("court.bmp"));
    if (imgC.isNull())
        imgC = plainCourt();
    picBALL.setPicture(Resources::image(QStringLiteral("ball.bmp")));
    picROLL.setPicture(Resources::image(QStringLiteral("roll.bmp")));
    imgCOMrkt = Resources::image(QStringLiteral("com_racket.bmp"));
    imgCOMsh = Resources::image(QStringLiteral("com_swing.bmp"));
    picCOM.setPicture(imgCOMrkt);
    picCOMsh.setPicture(imgCOMsh);
}

void CourtArt::paintRacket(std::int32_t racketColor)
{
    picCOMsh.setPicture(imgCOMsh);
    picCOM.setPicture(imgCOMrkt);
    if (racketColor > 1) {
        picCOMsh.setPicture(Recolour::SET_RKT_COLOR(imgCOMsh, racketColor));
        m_platform.processEvents();
        picCOM.setPicture(Recolour::SET_RKT_COLOR(imgCOMrkt, racketColor));
        m_platform.processEvents();
    }
}

void CourtArt::paintCourt(std::int32_t courtColor)
{
    if (courtColor > 0) {
        picB.setPicture(Recolour::SET_COURT_COLOR(imgC, courtColor));
        m_platform.processEvents();
    } else {
        picB.setPicture(imgC);
    }
}

} // namespace moka
