// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "sound/SoundDevice.h"

namespace moka {

// An output that plays nothing.
class SilentDevice : public SoundDevice
{
public:
    bool open(QString &) override { return true; }
    void start(int, bool) override {}
    void stop() override {}
};

} // namespace moka
