#include "platform/QtPlatform.h"

#include "platform/DataFolder.h"
#include "platform/WindowPlacement.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <sys/ipc.h>
#include <sys/mman.h>
#include <sys/shm.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace moka {

namespace {

// The X server's picture of `screen`, in device pixels, copied by the server
// straight into memory shared with it: a screen-sized picture does not have
// to travel through the connection and be copied again on arrival (at
// 3840 × 2160 that is 33 MB twice). Null where this cannot be done (not X,
// no shared memory, a server elsewhere, pixels other than 8-bit red, green
// and blue in 32 bits); the caller then asks Qt.
#ifdef MADV_POPULATE_WRITE
constexpr int kPopulateWrite = MADV_POPULATE_WRITE;
#else
constexpr int kPopulateWrite = 23;
#endif

QImage grabThroughSharedMemory(const QScreen &screen)
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *c = x11 ? x11->connection() : nullptr;
    if (!c || xcb_connection_has_error(c))
        return {};
    const xcb_query_extension_reply_t *shm = xcb_get_extension_data(c, &xcb_shm_id);
    if (!shm || !shm->present)
        return {};
    const xcb_setup_t *setup = xcb_get_setup(c);
    const xcb_screen_t *root = xcb_setup_roots_iterator(setup).data;
    if (!root || setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST || root->root_depth < 24)
        return {};
    bool plainPixels = false;
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
        if (f.data->depth == root->root_depth)
            plainPixels = f.data->bits_per_pixel == 32;
    bool plainColours = false;
    for (auto d = xcb_screen_allowed_depths_iterator(root); d.rem; xcb_depth_next(&d))
        for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
            if (v.data->visual_id == root->root_visual)
                plainColours = v.data->red_mask == 0xff0000u && v.data->green_mask == 0xff00u &&
                               v.data->blue_mask == 0xffu;
    if (!plainPixels || !plainColours)
        return {};

    const qreal ratio = screen.devicePixelRatio();
    const QRect logical = screen.geometry();
    const QRect device(int(std::lround(logical.x() * ratio)), int(std::lround(logical.y() * ratio)),
                       int(std::lround(logical.width() * ratio)), int(std::lround(logical.height() * ratio)));
    if (device.isEmpty() || device.right() >= root->width_in_pixels ||
        device.bottom() >= root->height_in_pixels)
        return {};
    const auto bytesPerLine = static_cast<qsizetype>(device.width()) * 4;
    const auto bytes = static_cast<size_t>(bytesPerLine) * static_cast<size_t>(device.height());

    const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id < 0)
        return {};
    void *memory = shmat(id, nullptr, 0);
    if (memory == MAP_FAILED) { // shmat's failure, (void *) -1
        shmctl(id, IPC_RMID, nullptr);
        return {};
    }
    // The pages mapped in one go rather than one fault at a time as the
    // pixels are first touched (a no-op on kernels before 5.14).
    madvise(memory, bytes, kPopulateWrite);
    const xcb_shm_seg_t segment = xcb_generate_id(c);
    xcb_generic_error_t *error = xcb_request_check(c, xcb_shm_attach_checked(c, segment, id, 0));
    // Gone as soon as both sides have let go of it.
    shmctl(id, IPC_RMID, nullptr);
    if (error) {
        std::free(error);
        shmdt(memory);
        return {};
    }
    xcb_shm_get_image_reply_t *reply = xcb_shm_get_image_reply(
        c,
        xcb_shm_get_image(c, root->root, static_cast<std::int16_t>(device.x()),
                          static_cast<std::int16_t>(device.y()), static_cast<std::uint16_t>(device.width()),
                          static_cast<std::uint16_t>(device.height()), ~0u, XCB_IMAGE_FORMAT_Z_PIXMAP,
                          segment, 0),
        &error);
    xcb_shm_detach(c, segment);
    xcb_flush(c);
    std::free(error);
    const bool whole = reply && reply->size >= bytes;
    std::free(reply);
    if (!whole) {
        shmdt(memory);
        return {};
    }
    // The server leaves the fourth byte as it likes; the picture is opaque.
    auto *pixels = static_cast<QRgb *>(memory);
    const size_t count = bytes / sizeof(QRgb);
    for (size_t i = 0; i < count; ++i)
        pixels[i] |= 0xff000000u;
    return QImage(
        static_cast<uchar *>(memory), device.width(), device.height(), bytesPerLine, QImage::Format_RGB32,
        [](void *m) { shmdt(m); }, memory);
}

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

void QtPlatform::chooseWindowSystem()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    const bool waylandSession = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
                                qgetenv("XDG_SESSION_TYPE") == QByteArrayLiteral("wayland");
    if (waylandSession && !qEnvironmentVariableIsEmpty("DISPLAY")) {
        // X11 first; Wayland should the X server not answer after all.
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb;wayland"));
    }
}

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
    QImage shared = grabThroughSharedMemory(*screen);
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
