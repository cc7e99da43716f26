#pragma once

#include "dialogs/Dialogs.h"

#include <QStringList>

#include <functional>

// Announcements and interrupts remembered instead of shown.
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
    void showCut() override
    {
        ++cuts;
        if (onCut)
            onCut();
    }

    std::vector<Info> infos;
    int cuts = 0;
    std::function<void()> onInfo;
    std::function<void()> onCut;
};
