// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/QtPlatform.h"

#include "desktop/ScreenCopy.h"
#include "desktop/WindowPlacement.h"
#include "platform/DataFolder.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace moka {

namespace {

// A message box centred by its frame on its owner (on the screen without
// one), like every window of the game: placed once its size is final, just
// before it shows.
class PlacedMessageBox : public QMessageBox
{
public:
    PlacedMessageBox(const QString &title, const QString &text, QWidget *owner)
        : QMessageBox(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner)
    {
    }

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event);
        WindowPlacement::centre(*this, parentWidget());
    }
};

} // namespace

void QtPlatform::processEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtPlatform::waitUntil(std::int64_t deadlineMs)
{
    processEvents();
    // Sleep in the event loop: a precise single-shot timer wakes us at the
    // deadline, any window event earlier. No core is spun while waiting.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    while (!ending()) {
        const std::int64_t remaining = deadlineMs - now();
        if (remaining <= 0)
            break;
        wake.start(static_cast<int>(std::min<std::int64_t>(remaining, 1000)));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

void QtPlatform::messageBox(const QString &text)
{
    if (ending())
        return;
    PlacedMessageBox box(title(), text, QApplication::activeWindow());
    box.exec();
}

int QtPlatform::showModal(QDialog &dialog)
{
    if (ending())
        return 0;
    return dialog.exec();
}

int QtPlatform::screenDepth() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 32;
}

QSize QtPlatform::screenSize() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1024, 768);
}

QRect QtPlatform::screenHolding(const QRect &place) const
{
    const QScreen *best = QGuiApplication::primaryScreen();
    qint64 most = 0;
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect common = screen->geometry().intersected(place);
        const qint64 area = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
        if (area > most) {
            best = screen;
            most = area;
        }
    }
    return best ? best->geometry() : QRect(QPoint(), screenSize());
}

QImage QtPlatform::grabScreen(const QRect &area)
{
    QScreen *screen = QGuiApplication::screenAt(area.center());
    if (!screen || screen->geometry() != area)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    QImage shared = ScreenCopy::throughSharedMemory(*screen);
    if (!shared.isNull())
        return shared;
    return screen->grabWindow(0).toImage();
}

QString QtPlatform::dataFolder() const
{
    const QString folder = DataFolder::forThisProgram();
    // An installed game's folder may not exist yet. When it cannot be made,
    // reading and writing the ranking file fail and say so as ever.
    DataFolder::make(folder);
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

void QtPlatform::onEnd() { QCoreApplication::exit(0); }

} // namespace moka
