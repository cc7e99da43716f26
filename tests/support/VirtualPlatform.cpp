// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "VirtualPlatform.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

namespace moka {

void VirtualPlatform::processEvents()
{
    ++eventPasses;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (onEvents)
        onEvents();
}

void VirtualPlatform::waitUntil(std::int64_t deadlineMs)
{
    ++waits;
    processEvents();
    if (!ending() && m_clock.nowMs() < deadlineMs)
        m_clock.set(deadlineMs);
}

void VirtualPlatform::messageBox(const QString &text)
{
    if (ending())
        return;
    messages << text;
    if (onMessage)
        onMessage(text);
}

int VirtualPlatform::showModal(QDialog &dialog)
{
    if (ending())
        return 0;
    ++modalsShown;
    QPointer<QDialog> guard(&dialog);
    auto handler = onModal;
    QTimer::singleShot(0, &dialog, [guard, handler] {
        if (!guard)
            return;
        if (handler)
            handler(*guard);
        else
            guard->reject();
    });
    return dialog.exec();
}

} // namespace moka
