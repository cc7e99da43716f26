// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "celebration/CelebrationArt.h"

#include "look/Texts.h"
#include "platform/Resources.h"

#include <QBuffer>
#include <QImageReader>

#include <array>
#include <utility>

namespace moka {

namespace {

constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);

// The header fields that the stored trophy lacks: signature, file size,
// offset of the pixels, size of the information header, width and height.
constexpr std::array<std::pair<int, char>, 11> kCupHeader{{{0, 66},
                                                           {1, 77},
                                                           {2, 4},
                                                           {3, char(136)},
                                                           {10, 54},
                                                           {11, 4},
                                                           {14, 40},
                                                           {18, 14},
                                                           {19, 1},
                                                           {22, 54},
                                                           {23, 1}}};
constexpr int kCupHeaderBytes = 26;

// A picture from the program's artwork, or a blank of the given size while
// it is missing.
void loadPicture(Picture &picture, const QString &name, int width, int height, QRgb blank)
{
    const QImage image = Resources::image(name);
    if (image.isNull())
        picture.reset(width, height, blank);
    else
        picture.setPicture(image);
}

} // namespace

CelebrationArt::CelebrationArt()
{
    loadPicture(picQQQ, QStringLiteral("confetti.bmp"), 128, 128, kBlack);
    loadPicture(picYB, QStringLiteral("shaded_ball.bmp"), ballSize, 2 * ballSize, kBlack);
    if (Resources::image(QStringLiteral("shaded_ball.bmp")).isNull())
        picYB.fillRect(QRect(0, ballSize, ballSize, ballSize), kWhite); // no ball: an empty mask too
    loadPicture(picM, QStringLiteral("trophy_mask.bmp"), cupWidth, cupHeight, kWhite);
    loadPicture(picC, QStringLiteral("banner_gold.bmp"), bannerWidth, bannerHeight, kBlack);
    loadPicture(picS, QStringLiteral("banner_navy.bmp"), bannerWidth, bannerHeight, kBlack);
    loadPicture(picMC, QStringLiteral("banner_mask.bmp"), bannerWidth, bannerHeight, kWhite);
}

bool CelebrationArt::completeTrophy(QByteArray &stored, QString &error)
{
    if (stored.size() < kCupHeaderBytes) {
        error = Texts::withDetail(Texts::trophyDamaged(), Texts::trophyResource());
        return false;
    }
    for (const auto &[at, value] : kCupHeader)
        stored[at] = value;
    return true;
}

QImage CelebrationArt::decodeTrophy(QByteArray &completed, QString &error)
{
    // Decoded in memory: nothing is written to the program's folder.
    QBuffer buffer(&completed);
    QImageReader reader(&buffer, "bmp");
    QImage cup = reader.read();
    if (cup.isNull())
        error = Texts::withDetail(Texts::trophyDamaged(), reader.errorString());
    return cup;
}

} // namespace moka
