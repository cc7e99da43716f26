// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <memory>

namespace moka {

class Platform;
class SoundDevice;

// The seven sound effects. Calls return at once; one effect sounds at a time,
// and a request made while another effect still sounds is dropped, except the
// looping 106, which replaces whatever plays. Whether an effect still sounds
// is judged from its length on the game's clock.
class SoundModule
{
public:
    SoundModule(Platform &platform, std::unique_ptr<SoundDevice> device);
    ~SoundModule();

    bool SOUND_INIT();
    // Effect `id` (101–107) once; any other number plays nothing.
    void PLAY(int id);
    void PLAY_101() { play(101); }
    void PLAY_102() { play(102); }
    void PLAY_103() { play(103); }
    void PLAY_104() { play(104); }
    void PLAY_105() { play(105); }
    void PLAY_106() { play(106); }
    void PLAY_107() { play(107); }
    void PLAY_106_LOOP();
    void SOUND_STOP();
    void SOUND_END();

    bool soundEnabled = false;

    // Length of effect `id` in milliseconds (0 for an unknown id).
    static int lengthMs(int id);
    SoundDevice &device() { return *m_device; }

private:
    void play(int id);

    Platform &m_platform;
    std::unique_ptr<SoundDevice> m_device;
    std::int64_t m_busyUntil = 0; // the effect playing now ends here
    bool m_looping = false;
};

} // namespace moka
