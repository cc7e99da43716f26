// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "dialogs/Dialogs.h"

#include <functional>

class QWidget;

namespace moka {

class Platform;

// The game's dialogs as real windows: a fresh frmNAME, frmINFO or frmCUT for
// every use, shown modally over the owner and released when it closes.
class FormDialogs : public Dialogs
{
public:
    FormDialogs(Platform &platform, std::function<QWidget *()> owner);

    void showInfo(const QString &text, QColor dialogColour = {}, QColor panelColour = {}) override;
    Registration showName(const RecordTable &records) override;
    Interrupt showCut() override;

private:
    QWidget *owner() const;

    Platform &m_platform;
    std::function<QWidget *()> m_owner;
};

} // namespace moka
