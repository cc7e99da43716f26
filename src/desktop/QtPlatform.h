// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Platform.h"
#include "platform/SystemClock.h"

namespace moka {

// The platform of the real game: wall clock, Qt event loop, real message boxes.
class QtPlatform : public Platform
{
public:
    const Clock &clock() const override { return m_clock; }
    void processEvents() override;
    void waitUntil(std::int64_t deadlineMs) override;
    void messageBox(const QString &text) override;
    int showModal(QDialog &dialog) override;
    int screenDepth() const override;
    QSize screenSize() const override;
    QRect screenHolding(const QRect &place) const override;
    QImage grabScreen(const QRect &screen) override;
    QString dataFolder() const override;

protected:
    void onEnd() override;

private:
    SystemClock m_clock;
};

} // namespace moka
