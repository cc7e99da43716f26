// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QString>

namespace moka {

// The game's one type face, the proportional gothic "ＭＳ Ｐゴシック", stands
// in for IPA P Gothic (or any installed Japanese gothic) by font
// substitution. Sizes are in points on a 96-dpi screen, as the layouts give
// them, so the game looks the same whatever dpi the screen reports.
class Fonts
{
public:
    static const QString &family();
    // Registers the substitution and makes the gothic the default face.
    static void install();
    static QFont gothic(double points, bool bold = false);
    static int pixels(double points);
};

} // namespace moka
