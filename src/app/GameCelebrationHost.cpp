// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/GameCelebrationHost.h"

#include "app/Application.h"
#include "app/frmMAIN.h"
#include "desktop/WindowSystem.h"
#include "look/Cursors.h"
#include "platform/Resources.h"
#include "sound/SoundModule.h"

namespace moka {

GameCelebrationHost::GameCelebrationHost(Application &app)
    : m_app(app)
{
}

Platform &GameCelebrationHost::platform() { return m_app.platform(); }

QString GameCelebrationHost::championName() const
{
    const MatchState &match = m_app.match;
    return match.playerName.isEmpty() ? match.previewName : match.playerName;
}

std::int16_t GameCelebrationHost::nextNumber() { return m_app.NEXT_NO(); }

QImage GameCelebrationHost::mainWindowPicture() const
{
    frmMAIN *main = m_app.mainWindow();
    if (!main || !main->isVisible())
        return {};
    QImage window = main->grab().toImage();
    // On a high-density screen the grab has more pixels than the window.
    if (window.size() != main->size())
        window = window.scaled(main->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return window;
}

std::optional<QRect> GameCelebrationHost::mainWindowRect() const
{
    frmMAIN *main = m_app.mainWindow();
    if (!main || !WindowSystem::canPlaceWindows())
        return std::nullopt;
    return QRect(main->mapToGlobal(QPoint(0, 0)), main->size());
}

QCursor GameCelebrationHost::pointer() const { return Cursors::invisible(); }

void GameCelebrationHost::seedRandom(std::uint64_t seed) { m_rng.seed(seed); }

double GameCelebrationHost::random()
{
    return static_cast<double>(m_rng() >> 11) * 0x1.0p-53; // 53 random bits: [0, 1)
}

QByteArray GameCelebrationHost::trophy() { return Resources::bytes(QStringLiteral("trophy.bin")); }

void GameCelebrationHost::sound(int effect)
{
    SoundModule &module = m_app.sound();
    // The fanfare repeats until the celebration stops all sound.
    if (effect == 0)
        module.SOUND_STOP();
    else if (effect == 106)
        module.PLAY_106_LOOP();
    else
        module.PLAY(effect);
}

void GameCelebrationHost::frameShown(const QRegion &) {}

} // namespace moka
