// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "VirtualClock.h"
#include "platform/Platform.h"

#include <QStringList>
#include <QTemporaryDir>

#include <functional>

namespace moka {

// A platform for tests, the soak run and benchmarks: a virtual clock that
// jumps to each deadline, message boxes recorded instead of shown, a screen
// of any depth and size, and an end that is recorded instead of quitting.
class VirtualPlatform : public Platform
{
public:
    const Clock &clock() const override { return m_clock; }
    VirtualClock &virtualClock() { return m_clock; }

    void processEvents() override;
    void waitUntil(std::int64_t deadlineMs) override;
    void messageBox(const QString &text) override;
    int showModal(QDialog &dialog) override;
    int screenDepth() const override { return depth; }
    QSize screenSize() const override { return screen; }
    QRect screenHolding(const QRect &) const override { return QRect(QPoint(), screen); }
    QImage grabScreen(const QRect &) override { return desktop; }
    QString dataFolder() const override { return folder; }

private:
    // The data folder unless a test names another: a fresh one of its own,
    // removed with the platform, so that no test writes where it is run.
    QTemporaryDir m_scratch;

public:
    // Settings a test may change.
    int depth = 32;
    QSize screen{1024, 768};
    QString folder = m_scratch.path() + QLatin1Char('/');
    // What a screen capture returns: a mid-grey screen unless a test sets
    // another (a null or black one stands for a capture that failed).
    QImage desktop = [this] {
        QImage grey(screen, QImage::Format_RGB32);
        grey.fill(qRgb(128, 128, 128));
        return grey;
    }();

    // Called on every event processing, after Qt's events: a scripted player
    // acts here. Also the time a frame's own work is taken to cost.
    std::function<void()> onEvents;
    // Called once a modal dialog is running; it must close the dialog.
    // Without it, dialogs are closed as if by the window system.
    std::function<void(QDialog &)> onModal;
    // Called for every message box after it is recorded.
    std::function<void(const QString &)> onMessage;

    // What happened.
    int eventPasses = 0;
    int waits = 0;
    int modalsShown = 0;
    int ends = 0;
    QStringList messages;

protected:
    void onEnd() override { ++ends; }

private:
    VirtualClock m_clock;
};

} // namespace moka
