// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/frmMAIN.h"
#include "app/frmSPRUSH.h"
#include "data/RecordTable.h"
#include "dialogs/Dialogs.h"
#include "platform/DataFile.h"
#include "platform/InstanceLock.h"
#include "sound/SoundDevice.h"
#include "sound/SoundModule.h"
#include "state/AppearanceState.h"
#include "state/MatchState.h"
#include "state/RallyState.h"

#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>

namespace moka {

class Platform;

// The program: owns the shared state, the sound, the dialogs and the main
// window, and holds the start-up module's procedures.
class Application
{
public:
    struct Options
    {
        std::unique_ptr<SoundDevice> soundDevice; // null: silent
        std::unique_ptr<Dialogs> dialogs;         // null: none yet
        QString lockName;                         // empty: the application's name, in lower case
        std::unique_ptr<DataFile> dataFile;       // null: the real files
    };

    Application(Platform &platform, Options options);
    ~Application();
    Application(const Application &) = delete;
    Application &operator=(const Application &) = delete;

    // Start-up: single copy, data folder, sound, main window. Returns with
    // the main window shown, or with the program ended.
    void Main();
    // Ends the program from anywhere.
    void APP_END();
    // 600 ms of handling window events.
    void WAIT_600();
    // 1, 2, 3, … over the whole run.
    std::int16_t NEXT_NO();

    // Closes the splash if it is still up.
    void unloadSplash();

    Platform &platform() { return m_platform; }
    SoundModule &sound() { return m_sound; }
    Dialogs &dialogs() { return *m_dialogs; }
    frmMAIN *mainWindow() { return m_main; }
    DataFile &dataFile() { return *m_dataFile; }
    frmSPRUSH *splash() { return m_splash; }
    void setSplash(frmSPRUSH *splash) { m_splash = splash; }
    bool ending() const;

    RallyState rally;
    MatchState match;
    AppearanceState appearance;
    RecordTable records;
    QString appPath; // the folder of the ranking file, ending in '/'
    bool splashLoaded = false;

private:
    Platform &m_platform;
    SoundModule m_sound;
    std::unique_ptr<Dialogs> m_dialogs;
    std::unique_ptr<DataFile> m_dataFile;
    InstanceLock m_lock;
    QPointer<frmMAIN> m_main;
    QPointer<frmSPRUSH> m_splash;
    std::int16_t m_nextNo = 0;
};

} // namespace moka
