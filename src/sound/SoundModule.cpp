// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sound/SoundModule.h"

#include "look/Texts.h"
#include "platform/Platform.h"
#include "sound/SoundDevice.h"

#include <QString>

namespace moka {

SoundModule::SoundModule(Platform &platform, std::unique_ptr<SoundDevice> device)
    : m_platform(platform)
    , m_device(std::move(device))
{
}

SoundModule::~SoundModule() = default;

int SoundModule::lengthMs(int id)
{
    switch (id) {
    case 101: return 730;
    case 102: return 160;
    case 103: return 190;
    case 104: return 160;
    case 105: return 440;
    case 106: return 1870;
    case 107: return 450;
    default: return 0;
    }
}

bool SoundModule::SOUND_INIT()
{
    QString error;
    soundEnabled = m_device && m_device->open(error);
    if (!soundEnabled) {
        m_platform.messageBox(error.isEmpty() ? Texts::noAudioOutput() : error);
    }
    return soundEnabled;
}

void SoundModule::PLAY(int id)
{
    if (lengthMs(id) > 0)
        play(id);
}

void SoundModule::play(int id)
{
    if (!soundEnabled)
        return;
    m_platform.processEvents();
    const std::int64_t now = m_platform.now();
    if (!m_looping && now >= m_busyUntil) {
        m_device->start(id, false);
        m_busyUntil = now + lengthMs(id);
    }
    m_platform.processEvents();
}

void SoundModule::PLAY_106_LOOP()
{
    if (!soundEnabled)
        return;
    m_platform.processEvents();
    m_device->start(106, true);
    m_looping = true;
    m_platform.processEvents();
}

void SoundModule::SOUND_STOP()
{
    if (!soundEnabled)
        return;
    m_platform.processEvents();
    m_device->stop();
    m_looping = false;
    m_busyUntil = 0;
    m_platform.processEvents();
}

void SoundModule::SOUND_END()
{
    if (!soundEnabled)
        return;
    m_device->stop();
    m_looping = false;
    m_busyUntil = 0;
}

} // namespace moka
