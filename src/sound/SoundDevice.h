// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace moka {

// Where the sound module sends its effects: the audio output, or a stand-in.
class SoundDevice
{
public:
    virtual ~SoundDevice() = default;
    // Prepares the output; false with `error` filled when it cannot.
    virtual bool open(QString &error) = 0;
    // Starts effect `id` (101–107) now, replacing whatever sounds.
    virtual void start(int id, bool loop) = 0;
    // Silences everything, a loop included.
    virtual void stop() = 0;
};

} // namespace moka
