// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "MemoryBoard.h"
#include "MemoryScoreboard.h"
#include "RecordingDevice.h"
#include "RecordingDialogs.h"
#include "VirtualPlatform.h"

#include "data/RecordTable.h"
#include "match/CourtArt.h"
#include "match/MatchFlow.h"
#include "platform/DataFile.h"
#include "platform/Picture.h"
#include "rally/CourtPointer.h"
#include "rally/CourtPresenter.h"
#include "sound/SoundModule.h"
#include "state/AppearanceState.h"
#include "state/MatchState.h"
#include "state/RallyState.h"

#include <memory>

// The match flow without a window: the virtual platform, recorded sound and
// dialogs, the announcements of the board and the ranking kept in memory, a
// plain court, and the court shown into a picture.
struct MatchRig
{
    struct NoPointer : moka::CourtPointer
    {
        void CUR_NORMAL() override {}
        void CUR_RACKET() override {}
        void CUR_SWING() override {}
    };
    // The visible court: what the rally presented last.
    struct ShownCourt : moka::CourtPresenter
    {
        void present(const moka::Picture &court) override
        {
            shown = court.image();
            ++presents;
        }
        QImage shown;
        int presents = 0;
    };

    MatchRig()
        : sound(platform, std::make_unique<RecordingDevice>())
        , flow(moka::MatchFlow::Game{platform, sound, dialogs, file, rally, match, appearance, records}, view,
               pointer, board)
    {
        sound.SOUND_INIT();
        device = static_cast<RecordingDevice *>(&sound.device());
        flow.art().picB.reset(moka::RallyState::courtWidth, moka::RallyState::courtHeight,
                              qRgb(173, 115, 66));
        board.listenTo(flow);
        ranking.listenTo(flow);
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
    ShownCourt view;
    NoPointer pointer;
    MemoryScoreboard board;
    MemoryBoard ranking;
    moka::MatchFlow flow;
};
