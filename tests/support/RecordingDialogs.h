#pragma once

#include "dialogs/Dialogs.h"
#include "state/MatchState.h"

#include <QStringList>

#include <functional>

// Announcements, registrations and interrupts remembered instead of shown. A
// registration takes `name` (none by default: no game).
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
    void showName(moka::MatchState &match, const moka::RecordTable &) override
    {
        ++names;
        match.playerName = name;
        if (onName)
            onName();
    }
    void showCut() override
    {
        ++cuts;
        if (onCut)
            onCut();
    }

    std::vector<Info> infos;
    QString name;
    int names = 0;
    int cuts = 0;
    std::function<void()> onInfo;
    std::function<void()> onName;
    std::function<void()> onCut;
};
