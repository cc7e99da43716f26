// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "look/Fonts.h"

#include <QApplication>
#include <QFontDatabase>

#include <cmath>

namespace moka {

const QString &Fonts::family()
{
    static const QString name = QStringLiteral("ＭＳ Ｐゴシック");
    return name;
}

void Fonts::install()
{
    QFont::insertSubstitutions(family(), {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"),
                                          QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP"),
                                          QStringLiteral("VL PGothic"), QStringLiteral("TakaoPGothic")});
    QApplication::setFont(gothic(9));
}

int Fonts::pixels(double points) { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

QFont Fonts::gothic(double points, bool bold)
{
    QFont font(family());
    font.setPixelSize(pixels(points));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

} // namespace moka
