// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Application.h"

#include "app/frmMAIN.h"
#include "app/frmSPRUSH.h"
#include "desktop/WindowPlacement.h"
#include "dialogs/FormDialogs.h"
#include "look/PictureBox.h"
#include "look/Texts.h"
#include "platform/Platform.h"
#include "sound/SilentDevice.h"

#include <QCoreApplication>

namespace moka {

Application::Application(Platform &platform, Options options)
    : m_platform(platform)
    , m_sound(platform,
              options.soundDevice ? std::move(options.soundDevice) : std::make_unique<SilentDevice>())
    , m_dialogs(options.dialogs ? std::move(options.dialogs)
                                : std::make_unique<FormDialogs>(
                                      platform, [this] { return static_cast<QWidget *>(mainWindow()); }))
    , m_dataFile(options.dataFile ? std::move(options.dataFile) : std::make_unique<DataFile>())
    , m_lock(options.lockName.isEmpty() ? QCoreApplication::applicationName().toLower() : options.lockName)
{
}

Application::~Application()
{
    delete m_splash.data();
    delete m_main.data();
}

bool Application::ending() const { return m_platform.ending(); }

void Application::Main()
{
    if (!m_lock.tryAcquire()) {
        m_platform.messageBox(Texts::alreadyRunning());
        m_platform.endProgram();
        return;
    }
    appPath = m_platform.dataFolder();
    if (!appPath.endsWith(QLatin1Char('/')))
        appPath += QLatin1Char('/');
    if (!m_sound.SOUND_INIT())
        m_platform.messageBox(Texts::soundTrouble());
    m_platform.processEvents();
    if (ending())
        return;
    m_main = new frmMAIN(*this);
    m_main->Form_Load();
    if (ending())
        return;
    m_main->show();
    m_main->activateWindow();
    m_main->picP->setFocus();
    // The splash goes on top of the main window, never behind it: shown
    // after it, as its transient.
    if (m_splash && splashLoaded)
        WindowPlacement::showAbove(*m_splash, *m_main);
}

void Application::APP_END()
{
    // Each step runs whatever the previous one did, so the program always ends.
    // The game objects are released by the game as its loop unwinds; the main
    // window is released when the application object goes.
    m_sound.SOUND_END();
    m_platform.endProgram();
}

void Application::WAIT_600() { m_platform.waitUntil(m_platform.now() + 600); }

std::int16_t Application::NEXT_NO()
{
    // Wraps back to 1 after 32767 numbers rather than going negative; no run
    // keeps anywhere near that many numbered objects alive at once.
    m_nextNo = m_nextNo >= 32767 ? std::int16_t{1} : static_cast<std::int16_t>(m_nextNo + 1);
    return m_nextNo;
}

void Application::unloadSplash()
{
    if (!splashLoaded || !m_splash)
        return;
    m_splash->close();
}

} // namespace moka
