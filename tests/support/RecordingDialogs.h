// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "dialogs/Dialogs.h"

#include <QStringList>

#include <functional>

// Announcements, registrations and interrupts remembered instead of shown. A
// registration takes `name` (none by default: no game) and stores `preview`
// for the celebration preview; an interrupt answers `cut` (discard by
// default).
class RecordingDialogs : public moka::Dialogs
{
public:
    struct Info
    {
        QString text;
        QColor dialog;
        QColor panel;
    };

    void showInfo(const QString &text, QColor dialogColour, QColor panelColour) override
    {
        infos.push_back({text, dialogColour, panelColour});
        if (onInfo)
            onInfo();
    }
    Registration showName(const moka::RecordTable &) override
    {
        ++names;
        if (onName)
            onName();
        return {name, preview};
    }
    Interrupt showCut() override
    {
        ++cuts;
        if (onCut)
            onCut();
        return cut;
    }

    std::vector<Info> infos;
    QString name;
    QString preview;
    Interrupt cut = Interrupt::Discard;
    int names = 0;
    int cuts = 0;
    std::function<void()> onInfo;
    std::function<void()> onName;
    std::function<void()> onCut;
};
