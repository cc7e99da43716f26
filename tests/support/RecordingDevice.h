// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "sound/SoundDevice.h"

#include <QString>

#include <vector>

// A sound output that only remembers what it was asked to do.
class RecordingDevice : public moka::SoundDevice
{
public:
    struct Start
    {
        int id;
        bool loop;
    };

    explicit RecordingDevice(bool openOk = true, QString error = {})
        : m_openOk(openOk)
        , m_error(error)
    {
    }

    bool open(QString &error) override
    {
        ++opens;
        if (!m_openOk)
            error = m_error;
        return m_openOk;
    }
    void start(int id, bool loop) override { starts.push_back({id, loop}); }
    void stop() override { ++stops; }

    std::vector<int> ids() const
    {
        std::vector<int> out;
        for (const Start &s : starts)
            out.push_back(s.id);
        return out;
    }

    std::vector<Start> starts;
    int stops = 0;
    int opens = 0;

private:
    bool m_openOk;
    QString m_error;
};
