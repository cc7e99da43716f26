// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/ScreenCopy.h"

#include "desktop/Xcb.h"
#include "platform/MemoryPages.h"

#include <QScreen>

#include <sys/ipc.h>
#include <sys/mman.h>
#include <sys/shm.h>
#include <xcb/shm.h>

#include <cmath>

namespace moka {

QImage ScreenCopy::throughSharedMemory(const QScreen &screen)
{
    xcb_connection_t *c = Xcb::connection();
    if (!c)
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
    MemoryPages::mapNow(memory, bytes);
    const xcb_shm_seg_t segment = xcb_generate_id(c);
    const Xcb::Reply<xcb_generic_error_t> attachError(
        xcb_request_check(c, xcb_shm_attach_checked(c, segment, id, 0)));
    // Gone as soon as both sides have let go of it.
    shmctl(id, IPC_RMID, nullptr);
    if (attachError) {
        shmdt(memory);
        return {};
    }
    xcb_generic_error_t *error = nullptr;
    const Xcb::Reply<xcb_shm_get_image_reply_t> reply(xcb_shm_get_image_reply(
        c,
        xcb_shm_get_image(c, root->root, static_cast<std::int16_t>(device.x()),
                          static_cast<std::int16_t>(device.y()), static_cast<std::uint16_t>(device.width()),
                          static_cast<std::uint16_t>(device.height()), ~0u, XCB_IMAGE_FORMAT_Z_PIXMAP,
                          segment, 0),
        &error));
    const Xcb::Reply<xcb_generic_error_t> imageError(error);
    xcb_shm_detach(c, segment);
    xcb_flush(c);
    if (!reply || reply->size < bytes) {
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

} // namespace moka
