#pragma once

#include "MemoryBoard.h"
#include "MemoryScoreboard.h"
#include "RecordingDevice.h"
#include "RecordingDialogs.h"
#include "VirtualPlatform.h"

#include "appearance/AppearanceState.h"
#include "data/RecordTable.h"
#include "desktop/PictureBox.h"
#include "match/MatchFlow.h"
#include "platform/DataFile.h"
#include "platform/Picture.h"
#include "rally/CourtPointer.h"
#include "sound/SoundModule.h"
#include "state/MatchState.h"
#include "state/RallyState.h"

#include <memory>

// The match flow without a window: the virtual platform, recorded sound and
// dialogs, a scoreboard and a ranking board in memory, and a plain court.
struct MatchRig
{
    struct NoPointer : moka::CourtPointer
    {
        void CUR_NORMAL() override {}
        void CUR_RACKET() override {}
        void CUR_SWING() override {}
    };

    MatchRig()
        : sound(platform, std::make_unique<RecordingDevice>())
        , flow(moka::MatchFlow::Game{platform, sound, dialogs, file, rally, match, appearance, records},
               moka::MatchFlow::Court{back, view, ball, roll, comRacket, comSwing, pointer}, board, ranking)
    {
        sound.SOUND_INIT();
        device = static_cast<RecordingDevice *>(&sound.device());
        back.reset(moka::RallyState::courtWidth, moka::RallyState::courtHeight, qRgb(173, 115, 66));
        view.picture().reset(moka::RallyState::courtWidth, moka::RallyState::courtHeight);
    }

    QStringList announcements() const
    {
        QStringList out;
        for (const auto &info : dialogs.infos)
            out << info.text;
        return out;
    }

    moka::VirtualPlatform platform;
    moka::SoundModule sound;
    RecordingDevice *device = nullptr;
    RecordingDialogs dialogs;
    moka::DataFile file;
    moka::RallyState rally;
    moka::MatchState match;
    moka::AppearanceState appearance;
    moka::RecordTable records;
    moka::Picture back, ball, roll, comRacket, comSwing;
    moka::PictureBox view;
    NoPointer pointer;
    MemoryScoreboard board;
    MemoryBoard ranking;
    moka::MatchFlow flow;
};
