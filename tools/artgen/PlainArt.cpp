// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PlainArt.h"

#include "Palette16.h"

QImage PlainArt::lifebar()
{
    QImage image(10, 250, QImage::Format_Indexed8);
    image.setColorTable(Palette16::colours());
    image.fill(Palette16::Magenta);
    return image;
}

QImage PlainArt::black()
{
    QImage image(64, 48, QImage::Format_Indexed8);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    image.fill(0);
    return image;
}
