#pragma once

#include "RecordingDevice.h"
#include "RecordingDialogs.h"

#include "app/Application.h"
#include "platform/VirtualPlatform.h"

#include <QCoreApplication>
#include <QUuid>

#include <memory>

// An application on the virtual platform with recording sound and dialogs,
// and a lock of its own so tests never meet a game the user is running.
struct TestGame
{
    explicit TestGame(QString lockName = {})
    {
        auto dev = std::make_unique<RecordingDevice>();
        device = dev.get();
        auto dlg = std::make_unique<RecordingDialogs>();
        dialogs = dlg.get();
        moka::Application::Options options;
        options.soundDevice = std::move(dev);
        options.dialogs = std::move(dlg);
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
        QCoreApplication::processEvents();
    }

    moka::VirtualPlatform platform;
    RecordingDevice *device = nullptr;
    RecordingDialogs *dialogs = nullptr;
    std::unique_ptr<moka::Application> app;
};
