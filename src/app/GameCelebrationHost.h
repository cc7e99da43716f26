// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "celebration/CelebrationHost.h"

#include <random>

namespace moka {

class Application;

// The celebration as the game runs it: on the program's platform and sound,
// over the main window, with the player's name (or the preview's) on the
// trophy, random numbers seeded from the clock and the trophy from the
// program's resources.
class GameCelebrationHost : public CelebrationHost
{
public:
    explicit GameCelebrationHost(Application &app);

    Platform &platform() override;
    QString championName() const override;
    std::int16_t nextNumber() override;
    QImage mainWindowPicture() const override;
    std::optional<QRect> mainWindowRect() const override;
    QCursor pointer() const override;
    void seedRandom(std::uint64_t seed) override;
    double random() override;
    QByteArray trophy() override;
    void sound(int effect) override;
    void frameShown(const QRegion &changed) override;

private:
    Application &m_app;
    std::mt19937_64 m_rng;
};

} // namespace moka
