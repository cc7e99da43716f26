// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Application.h"
#include "app/CommandLine.h"
#include "desktop/QtPlatform.h"
#include "desktop/WindowSystem.h"
#include "look/Fonts.h"
#include "platform/Language.h"
#include "sound/AudioSinkDevice.h"

#include <QApplication>

#include <memory>

int main(int argc, char **argv)
{
    // The game's name, for titles, the lock, the data folder and the
    // translations; set before anything asks for it.
    QCoreApplication::setApplicationName(QStringLiteral("mokaRUNs"));
    // --help and --version need no display, so they come before the application object.
    QString language;
    if (const auto exitCode = moka::CommandLine::handle(argc, argv, language))
        return *exitCode;
    moka::WindowSystem::choose();
    // Making one window (the splash, to place it above the main window) must
    // not turn the main window's controls into windows of their own.
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication qapp(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    moka::Fonts::install();
    moka::Language::use(language);

    moka::QtPlatform platform;
    moka::Application::Options options;
    options.soundDevice = std::make_unique<moka::AudioSinkDevice>();
    moka::Application game(platform, std::move(options));
    game.Main();
    if (!platform.ending())
        QApplication::exec();
    return 0;
}
