// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QList>
#include <QString>

// The banner over the trophy, 287 x 165: CONGRATULATION in heavy capitals
// set on an arch. The gold picture (256 colours) and the navy one (16
// colours) share one mask; the celebration draws the navy word 12 pixels
// below the gold one as its shadow. The arch leaves room beneath it for the
// top of the cup, which stands 38 pixels in from the banner's left edge.
class BannerArt
{
public:
    static constexpr int Width = 287;
    static constexpr int Height = 165;

    static QString word() { return QStringLiteral("CONGRATULATION"); }

    // Gold capitals, light above a sharp horizon and deep below it, with a
    // dark outline; black around them.
    static QImage gold();

    // The same shapes in navy on black.
    static QImage navy();

    // One bit: 0 (black) on the lettering, 1 (white) around it.
    static QImage mask();

    static QList<QRgb> goldPalette();

private:
    // Which letter covers each pixel (-1 none, -2 the outline round the
    // letters) and how far down the letter it lies, 0 at the top of the
    // capitals to 1 on their baseline.
    struct Layout
    {
        QList<int> letter;
        QList<float> depth;
        int at(int x, int y) const
        {
            return x < 0 || y < 0 || x >= Width || y >= Height ? -1 : letter[y * Width + x];
        }
    };
    static Layout layout();
};
