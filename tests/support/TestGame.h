// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "RecordingDevice.h"
#include "RecordingDialogs.h"

#include "VirtualPlatform.h"
#include "app/Application.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QUuid>

#include <memory>

// An application on the virtual platform with recording sound and dialogs,
// and a lock of its own so tests never meet a game the user is running.
struct TestGame
{
    // With `realDialogs` the game shows its own announcement and interrupt
    // dialogs (close them through platform.onModal); otherwise they are
    // recorded in `dialogs`.
    explicit TestGame(QString lockName = {}, bool realDialogs = false)
    {
        // The program's folder, where the ranking file goes: a fresh one.
        platform.folder = folder.path() + QLatin1Char('/');
        auto dev = std::make_unique<RecordingDevice>();
        device = dev.get();
        auto dlg = std::make_unique<RecordingDialogs>();
        dialogs = dlg.get();
        moka::Application::Options options;
        options.soundDevice = std::move(dev);
        if (!realDialogs)
            options.dialogs = std::move(dlg);
        else
            dialogs = nullptr;
        options.lockName = lockName.isEmpty()
                               ? QStringLiteral("mokatest-") + QUuid::createUuid().toString(QUuid::Id128)
                               : lockName;
        app = std::make_unique<moka::Application>(platform, std::move(options));
    }

    // Starts the program and closes the splash, as a player would.
    void start(bool dismissSplash = true)
    {
        app->Main();
        if (dismissSplash && app->splash())
            app->unloadSplash();
        // The window's activation, then the first-activation work it queues.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    QTemporaryDir folder;
    moka::VirtualPlatform platform;
    RecordingDevice *device = nullptr;
    RecordingDialogs *dialogs = nullptr;
    std::unique_ptr<moka::Application> app;
};
