// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QString>

namespace moka {

struct RecordTable;

// The game's own modal dialogs, shown over the main window: the registration
// before a tournament game, the announcements and the interrupt. Each answers
// what the player chose; the match keeps it.
class Dialogs
{
public:
    // What the registration gives: the name taken, empty when the player gave
    // none (no game), and the name stored for the celebration preview, empty
    // when none was stored.
    struct Registration
    {
        QString playerName;
        QString previewName;
    };
    // The interrupt's answer.
    enum class Interrupt { Resume, Discard };

    virtual ~Dialogs() = default;
    // An announcement with its text; invalid colours keep the defaults.
    virtual void showInfo(const QString &text, QColor dialogColour = {}, QColor panelColour = {}) = 0;
    // The registration dialog, listing the ranked names of `records`.
    virtual Registration showName(const RecordTable &records) = 0;
    // The interrupt dialog.
    virtual Interrupt showCut() = 0;
};

} // namespace moka
