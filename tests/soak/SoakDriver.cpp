// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SoakDriver.h"

#include "StateCheck.h"
#include "VirtualPlatform.h"

#include "app/Application.h"

#include <QFile>
#include <QUuid>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

using namespace moka;

SoakDriver::SoakDriver(std::uint64_t seed, long inputs)
    : m_seed(seed)
    , m_target(inputs)
    , m_player(seed, inputs)
    // The lock of a copy of its own, used by every run in turn: each run
    // must give it back as it goes.
    , m_lockName(QStringLiteral("mokasoak-") + QUuid::createUuid().toString(QUuid::Id128))
{
    m_player.onFailure = [this](const QString &what) { fail(what); };
}

void SoakDriver::fail(const QString &what)
{
    std::fprintf(stdout, "\nsoak: FAILED with seed %llu after input %ld: %s\n",
                 static_cast<unsigned long long>(m_seed), m_player.inputs(), qPrintable(what));
    std::fprintf(stdout, "soak: the last inputs:\n");
    for (const QString &line : m_player.history())
        std::fprintf(stdout, "  %s\n", qPrintable(line));
    std::fprintf(stdout, "soak: replay with: soak_run --seed %llu --inputs %ld\n",
                 static_cast<unsigned long long>(m_seed), m_target);
    std::fflush(stdout);
    std::_Exit(1);
}

int SoakDriver::run()
{
    if (!m_folder.isValid())
        fail(QStringLiteral("no scratch folder"));
    int runs = 0;
    while (!m_player.done())
        playOneRun(++runs);

    std::printf("soak: seed %llu: %ld inputs over %d program runs, state consistent after every one\n",
                static_cast<unsigned long long>(m_seed), m_player.inputs(), runs);
    for (const auto &[what, n] : m_player.tally())
        std::printf("  %-40s %ld\n", qPrintable(what), n);
    std::fflush(stdout);
    return 0;
}

void SoakDriver::playOneRun(int number)
{
    // The screen of this run: mostly a usual one; now and then one the game
    // refuses to start on.
    std::mt19937_64 screens(m_seed * 1000003u + static_cast<std::uint64_t>(number));
    const int s = static_cast<int>(screens() % 100);
    VirtualPlatform platform;
    platform.folder = m_folder.path() + QLatin1Char('/');
    platform.screen = s < 2 ? QSize(640, 480) : s < 50 ? QSize(800, 600) : QSize(1024, 768);
    platform.depth = s == 2 ? 8 : 32;
    platform.desktop = QImage(platform.screen, QImage::Format_RGB32);
    platform.desktop.fill(qRgb(40 + s, 80, 120));
    platform.onEvents = [this] { m_player.onEvents(); };
    platform.onModal = [this](QDialog &d) { m_player.onModal(d); };
    platform.onMessage = [this](const QString &text) { m_player.onMessage(text); };

    Application::Options options;
    options.lockName = m_lockName;
    auto app = std::make_unique<Application>(platform, std::move(options));
    m_player.attach(*app, platform);
    m_player.count(QStringLiteral("program runs"));
    app->Main();

    const QString file = platform.folder + QStringLiteral("mokaru.dat");
    const bool loaded = !platform.ending();
    if (loaded) {
        const QString wrong = StateCheck::records(app->records);
        if (!wrong.isEmpty())
            fail(QStringLiteral("the ranking as loaded: ") + wrong);
        m_loaded = app->records;
        while (!platform.ending() && !m_player.done()) {
            const StateCheck check(*app);
            QString idle = check.anyTime();
            if (idle.isEmpty())
                idle = check.idle();
            if (!idle.isEmpty())
                fail(idle);
            m_player.idleInput();
        }
        // The inputs are spent: leave the way a player does.
        if (!platform.ending())
            m_player.finish();
        if (!platform.ending())
            fail(QStringLiteral("the end button did not end the program"));
    } else {
        // Refused before it read the ranking: nothing to compare.
        m_player.count(QStringLiteral("program runs refused at start"));
    }

    if (loaded && QFile::exists(file)) {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            fail(QStringLiteral("the ranking file cannot be read back"));
        const QString wrong = StateCheck::savedFile(f.readAll(), m_loaded, app->records);
        if (!wrong.isEmpty())
            fail(wrong);
    }
    m_player.detach();
    app.reset();
}
