#include "platform/QtPlatform.h"

#include "platform/DataFolder.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace moka {

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
    QMessageBox box(QMessageBox::NoIcon, title(), text, QMessageBox::Ok, QApplication::activeWindow());
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

QImage QtPlatform::grabScreen()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->grabWindow(0).toImage() : QImage();
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
