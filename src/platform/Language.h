// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

namespace moka {

// The language of the game's texts. Japanese, as the texts are written, is
// the default whatever the system's language; another language comes from a
// translation compiled into the program (":/i18n/<application name>_<code>.qm") and only
// when the player asks for it.
class Language
{
public:
    // The codes the player may ask for: "ja" first, then every compiled-in
    // translation ("en", …).
    static QStringList available();

    // Shows the texts in `code` from now on ("ja" or empty: as written).
    // Needs the application object; false when no translation has that code.
    static bool use(const QString &code);
};

} // namespace moka
