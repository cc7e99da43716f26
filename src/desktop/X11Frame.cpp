// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/X11Frame.h"

#include "desktop/Xcb.h"

#include <QThread>
#include <QWidget>

#include <chrono>

namespace moka {

namespace {

template <typename T> using Reply = Xcb::Reply<T>;

// The four cardinals of _NET_FRAME_EXTENTS on `window`, when it has them.
std::optional<QMargins> readExtents(xcb_connection_t *c, xcb_window_t window, xcb_atom_t name)
{
    Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, name, XCB_ATOM_CARDINAL, 0, 4), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 16)
        return std::nullopt;
    const auto *v = static_cast<const std::uint32_t *>(xcb_get_property_value(reply.get()));
    // left, right, top, bottom; a frame of more than a screen is nonsense.
    for (int i = 0; i < 4; ++i)
        if (v[i] > 4096)
            return std::nullopt;
    return QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
}

// The frame of a window shown by a window manager that does not say it on
// the window (i3): the window manager's own window around the client, the
// client's ancestor just below the root. The client's own rectangle where
// nothing surrounds it.
std::optional<QMargins> extentsFromTree(xcb_connection_t *c, xcb_window_t id)
{
    const xcb_window_t root = Xcb::root(c);
    xcb_window_t top = id;
    for (int depth = 0; depth < 16; ++depth) {
        Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, top), nullptr));
        if (!tree)
            return std::nullopt;
        if (tree->parent == root || tree->parent == XCB_WINDOW_NONE)
            break;
        top = tree->parent;
    }
    Reply<xcb_get_geometry_reply_t> outer(xcb_get_geometry_reply(c, xcb_get_geometry(c, top), nullptr));
    Reply<xcb_get_geometry_reply_t> inner(xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr));
    Reply<xcb_translate_coordinates_reply_t> at(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, id, top, 0, 0), nullptr));
    if (!outer || !inner || !at)
        return std::nullopt;
    const int left = at->dst_x + outer->border_width, top_ = at->dst_y + outer->border_width;
    const int right = outer->width + 2 * outer->border_width - left - inner->width;
    const int bottom = outer->height + 2 * outer->border_width - top_ - inner->height;
    if (left < 0 || top_ < 0 || right < 0 || bottom < 0)
        return std::nullopt;
    return QMargins(left, top_, right, bottom);
}

xcb_window_t nativeWindow(const QWidget &window)
{
    return window.internalWinId() ? static_cast<xcb_window_t>(window.internalWinId()) : xcb_window_t(0);
}

// Device pixels to the window's logical ones.
std::optional<QMargins> scaled(std::optional<QMargins> margins, const QWidget &window)
{
    const qreal ratio = window.devicePixelRatioF();
    if (!margins || ratio == 1.0)
        return margins;
    return QMargins(qRound(margins->left() / ratio), qRound(margins->top() / ratio),
                    qRound(margins->right() / ratio), qRound(margins->bottom() / ratio));
}

} // namespace

bool X11Frame::onX11() { return Xcb::connection() != nullptr; }

bool X11Frame::supports(const char *hint)
{
    xcb_connection_t *c = Xcb::connection();
    if (!c)
        return false;
    const xcb_atom_t wanted = Xcb::atom(c, hint);
    const xcb_atom_t supported = Xcb::atom(c, "_NET_SUPPORTED");
    if (wanted == XCB_ATOM_NONE || supported == XCB_ATOM_NONE)
        return false;
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, Xcb::root(c), supported, XCB_ATOM_ATOM, 0, 4096), nullptr));
    if (!reply || reply->format != 32)
        return false;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    for (int i = 0; i < count; ++i)
        if (atoms[i] == wanted)
            return true;
    return false;
}

std::optional<QMargins> X11Frame::extents(QWidget &window)
{
    xcb_connection_t *c = Xcb::connection();
    if (!c)
        return std::nullopt;
    window.winId();
    const xcb_window_t id = nativeWindow(window);
    const xcb_atom_t name = Xcb::atom(c, "_NET_FRAME_EXTENTS");
    if (!id || name == XCB_ATOM_NONE)
        return std::nullopt;
    if (shown(window)) {
        if (auto told = readExtents(c, id, name))
            return scaled(told, window);
        return scaled(extentsFromTree(c, id), window);
    }
    if (!supports("_NET_REQUEST_FRAME_EXTENTS"))
        return std::nullopt;
    // Asked afresh before every showing: what the window asks of its frame
    // (its type, its hints) may have changed since.
    xcb_delete_property(c, id, name);
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = id;
    request.type = Xcb::atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    xcb_send_event(c, 0, Xcb::root(c),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&request));
    xcb_flush(c);
    // Window managers answer at once; one that does not within a fifth of a
    // second is not waited for longer. The wait sleeps between looks.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    for (;;) {
        if (auto answer = readExtents(c, id, name))
            return scaled(answer, window);
        if (std::chrono::steady_clock::now() >= giveUp)
            return std::nullopt;
        QThread::msleep(2);
    }
}

std::optional<QMargins> X11Frame::toldExtents(const QWidget &window)
{
    xcb_connection_t *c = Xcb::connection();
    const xcb_window_t id = nativeWindow(window);
    if (!c || !id)
        return std::nullopt;
    return scaled(readExtents(c, id, Xcb::atom(c, "_NET_FRAME_EXTENTS")), window);
}

bool X11Frame::shown(const QWidget &window)
{
    xcb_connection_t *c = Xcb::connection();
    const xcb_window_t id = nativeWindow(window);
    if (!c || !id)
        return false;
    Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, id), nullptr));
    return attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED;
}

std::optional<QRect> X11Frame::clientRect(const QWidget &window)
{
    xcb_connection_t *c = Xcb::connection();
    const xcb_window_t id = nativeWindow(window);
    if (!c || !id)
        return std::nullopt;
    Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr));
    Reply<xcb_translate_coordinates_reply_t> origin(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, id, Xcb::root(c), 0, 0), nullptr));
    if (!geometry || !origin)
        return std::nullopt;
    // The server counts device pixels; the program, logical ones.
    const qreal ratio = window.devicePixelRatioF();
    return QRect(qRound(origin->dst_x / ratio), qRound(origin->dst_y / ratio),
                 qRound(geometry->width / ratio), qRound(geometry->height / ratio));
}

std::optional<QRect> X11Frame::outerRect(QWidget &window)
{
    const auto client = clientRect(window);
    if (!client)
        return std::nullopt;
    return client->marginsAdded(extents(window).value_or(QMargins()));
}

void X11Frame::moveClient(const QWidget &window, QPoint at)
{
    xcb_connection_t *c = Xcb::connection();
    const xcb_window_t id = nativeWindow(window);
    if (!c || !id)
        return;
    const qreal ratio = window.devicePixelRatioF();
    const std::uint32_t place[] = {static_cast<std::uint32_t>(qRound(at.x() * ratio)),
                                   static_cast<std::uint32_t>(qRound(at.y() * ratio))};
    xcb_configure_window(c, id, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, place);
    xcb_flush(c);
}

} // namespace moka
