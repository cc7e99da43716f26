// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Recolour.h"

#include <array>

namespace moka {

namespace {

// Entries 9 (surface), 10 (half-circles) and 16 (lines) per court scheme.
struct CourtScheme
{
    QRgb surface, crease, line;
};

constexpr CourtScheme kBlueCourt{qRgb(128, 128, 255), qRgb(112, 112, 255), qRgb(0, 220, 220)};
constexpr CourtScheme kPurpleCourt{qRgb(146, 0, 146), qRgb(128, 0, 128), qRgb(255, 0, 255)};

bool sameColours(const QList<QRgb> &a, const QList<QRgb> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if ((a[i] & RGB_MASK) != (b[i] & RGB_MASK))
            return false;
    return true;
}

} // namespace

const QList<QRgb> &Recolour::standardPalette()
{
    static const QList<QRgb> palette{
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
    };
    return palette;
}

QRgb Recolour::racketColour(std::int32_t racketColor)
{
    static constexpr std::array<QRgb, 10> colours{
        qRgb(0, 0, 255),                                             // any other value: blue
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 128, 128),   // blue, magenta, teal
        qRgb(255, 255, 0),   qRgb(255, 0, 0),   qRgb(0, 255, 0),     // yellow, red, green
        qRgb(192, 192, 192), qRgb(0, 255, 255), qRgb(255, 255, 255), // silver, cyan, white
    };
    if (racketColor < 1 || racketColor > 9)
        return colours[0];
    return colours[std::size_t(racketColor)];
}

QImage Recolour::inStandardPalette(const QImage &picture)
{
    if (picture.format() == QImage::Format_Indexed8 && sameColours(picture.colorTable(), standardPalette()))
        return picture;
    // Nearest colour, no dithering: flat areas stay flat.
    return picture.convertToFormat(QImage::Format_RGB32)
        .convertToFormat(QImage::Format_Indexed8, standardPalette(), Qt::ThresholdDither);
}

QImage Recolour::SET_RKT_COLOR(const QImage &picture, std::int32_t racketColor)
{
    if (picture.isNull())
        return {};
    QImage indexed = inStandardPalette(picture);
    indexed.setColor(RacketEntry, racketColour(racketColor));
    return indexed.convertToFormat(QImage::Format_RGB32);
}

QImage Recolour::SET_COURT_COLOR(const QImage &court, std::int32_t courtColor)
{
    if (court.isNull())
        return {};
    if (court.format() != QImage::Format_Indexed8 || (courtColor != 1 && courtColor != 2))
        return court.convertToFormat(QImage::Format_RGB32);

    const CourtScheme &scheme = courtColor == 1 ? kBlueCourt : kPurpleCourt;
    QImage indexed = court;
    const auto replace = [&indexed](int entry, QRgb colour) {
        if (entry < indexed.colorCount())
            indexed.setColor(entry, colour);
    };
    replace(SurfaceEntry, scheme.surface);
    replace(CreaseEntry, scheme.crease);
    replace(LineEntry, scheme.line);
    return indexed.convertToFormat(QImage::Format_RGB32);
}

} // namespace moka
